#!/usr/bin/env bash
# Moves a large database to PostgreSQL 15 the two ways at hand: querimo-sql --dump postgresql, and what users do
# today with mdbtools (mdb-schema ... postgres, then mdb-export -I postgres per table). Prints the wall time and
# peak memory of each, the script's size, and whether psql -v ON_ERROR_STOP=1 loads it into a fresh database.
# Usage: bench/dump_bench.sh [DATABASE]   (default bench-data/groot-1000000.mdb, made by build/bench/sql_bench;
# querimo-sql from $QUERIMO_SQL, else build/bin/querimo-sql)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
querimo_sql=${QUERIMO_SQL:-$here/build/bin/querimo-sql}
database=$(realpath "${1:-bench-data/groot-1000000.mdb}")
pg=/usr/lib/postgresql/15/bin
[ -f "$database" ] || { echo "dump_bench: $database is missing (build/bench/sql_bench makes it)" >&2; exit 2; }
[ -x "$pg/initdb" ] || { echo "dump_bench: PostgreSQL 15 is missing (Debian package postgresql-15)" >&2; exit 2; }

work=$(mktemp -d)
as_server=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody "$work"
  as_server=(runuser -u nobody --)
fi
cleanup() {
  "${as_server[@]}" "$pg/pg_ctl" -D "$work/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
"${as_server[@]}" "$pg/initdb" -D "$work/data" -U bench -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
"${as_server[@]}" "$pg/pg_ctl" -D "$work/data" -l "$work/log" -w \
  -o "-k $work -c listen_addresses='' -c fsync=off" start >/dev/null
psql() { "$pg/psql" -X -q -h "$work" -U bench -v ON_ERROR_STOP=1 "$@"; }

mdbtools_dump() {
  mdb-schema "$database" postgres
  mdb-tables -1 "$database" | while IFS= read -r table; do mdb-export -I postgres "$database" "$table"; done
}
export -f mdbtools_dump
export database

printf "%-12s %10s %12s %12s  %s\n" tool seconds "peak MiB" "script MiB" "loads into PostgreSQL 15"
for tool in querimo-sql mdbtools; do
  if [ "$tool" = querimo-sql ]; then
    command=("$querimo_sql" "$database" --dump postgresql)
  else
    command=(bash -c mdbtools_dump)
  fi
  /usr/bin/time -f "%e %M" -o "$work/$tool.time" "${command[@]}" >"$work/$tool.sql" 2>"$work/$tool.err" || true
  read -r seconds kib <"$work/$tool.time"
  psql -d postgres -c "CREATE DATABASE \"$tool\""
  if load=$(psql -d "$tool" -f "$work/$tool.sql" 2>&1 >/dev/null); then
    loads=yes
  else
    loads="no: $(echo "$load" | grep -m1 ERROR || echo "$load" | head -n 1)"
  fi
  printf "%-12s %10s %12s %12s  %s\n" "$tool" "$seconds" "$((kib / 1024))" \
    "$(($(stat -c %s "$work/$tool.sql") / 1048576))" "$loads"
done
echo "peak memory: the largest resident set of the dumping processes (GNU time %M)"
