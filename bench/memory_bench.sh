#!/usr/bin/env bash
# Peak memory of querimo-sql reading a table to its last row, against the result's 256 MB budget: SELECT * and
# Count(*) over a table of a million and of ten million rows (Nr, KlantNr, Datum, Aantal, Bedrag), made once in
# bench-data by querimo-sql itself, a million rows per statement. Prints wall time and peak resident memory.
# Usage: bench/memory_bench.sh [MILLIONS...]   (default 1 10; querimo-sql from $QUERIMO_SQL, else build/bin/querimo-sql)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
querimo_sql=${QUERIMO_SQL:-$here/build/bin/querimo-sql}
mkdir -p bench-data

block() {  # the INSERT of rows from $1 million on
  local n="${1}000000 + a.d + 10*b.d + 100*c.d + 1000*e.d + 10000*f.d + 100000*g.d"
  echo "INSERT INTO Rij SELECT $n AS Nr, ($n) MOD 10000 + 1 AS KlantNr, CDate(45000 + ($n) MOD 1500) AS Datum," \
       "($n) MOD 50 + 1 AS Aantal, CCur((($n) * 7) MOD 100000) AS Bedrag" \
       "FROM Cijfer a, Cijfer b, Cijfer c, Cijfer e, Cijfer f, Cijfer g"
}

make_table() {  # $1: millions of rows; prints the file's path
  local path="bench-data/rijen-$1-miljoen.mdb"
  if [ ! -f "$path" ]; then
    echo "$path wordt gemaakt..." >&2
    rm -f "$path.nieuw"
    "$querimo_sql" --create "$path.nieuw" "CREATE TABLE Cijfer (d LONG)" >/dev/null
    for d in 0 1 2 3 4 5 6 7 8 9; do "$querimo_sql" "$path.nieuw" "INSERT INTO Cijfer (d) VALUES ($d)" >/dev/null; done
    "$querimo_sql" "$path.nieuw" \
      "CREATE TABLE Rij (Nr LONG, KlantNr LONG, Datum DATETIME, Aantal LONG, Bedrag CURRENCY)" >/dev/null
    for ((m = 0; m < $1; m++)); do "$querimo_sql" "$path.nieuw" "$(block "$m")" >/dev/null; done
    mv "$path.nieuw" "$path"
  fi
  echo "$path"
}

for millions in "${@:-1 10}"; do
  for m in $millions; do
    path=$(make_table "$m")
    for statement in "SELECT * FROM Rij" "SELECT Count(*) FROM Rij"; do
      /usr/bin/time -f "%e %M" -o bench-data/tijd "$querimo_sql" "$path" "$statement" >/dev/null
      read -r seconds kilobytes < bench-data/tijd
      printf '%3d miljoen rijen   %-26s %7.2f s   piek %4d MB (budget 256 MB)\n' "$m" "$statement" "$seconds" \
        $((kilobytes / 1024))
    done
  done
done
rm -f bench-data/tijd
