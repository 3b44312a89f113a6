#!/usr/bin/env bash
# Checks an installed Querimo: check-installed.sh BINDIR DATADIR (e.g. /usr/bin /usr/share/querimo).
# querimo-sql reads the installed sample; the window starts offscreen, must find sqlwords.dat in DATADIR
# (seen through strace) and stay up until it is stopped; then gui-smoke.sh drives it on a virtual display.
set -euo pipefail
bin=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-installed: $*" >&2; exit 1; }

"$bin/querimo-sql" "$data/voorbeeld.mdb" --tables | grep -q "^Klant	TABLE$" || fail "querimo-sql lists no Klant table"
count=$("$bin/querimo-sql" "$data/voorbeeld.mdb" "SELECT COUNT(*) AS n FROM Klant" | tail -n 1)
[[ $count =~ ^[1-9][0-9]*$ ]] || fail "querimo-sql counts no customers: $count"

if [ -x "$bin/querimo" ]; then
  status=0
  HOME="$work" XDG_CONFIG_HOME="$work" QT_QPA_PLATFORM=offscreen \
    strace -f -qq -e trace=openat -o "$work/trace" timeout 5 "$bin/querimo" >"$work/out" 2>&1 || status=$?
  [ "$status" -eq 124 ] || { cat "$work/out" >&2; fail "querimo stopped by itself with status $status"; }
  grep -q "\"$(realpath "$data")/sqlwords.dat\", O_RDONLY[^)]*) = [0-9]" "$work/trace" \
    || fail "querimo did not read sqlwords.dat from $data"
  "$(dirname "$0")/gui-smoke.sh" "$bin" "$data"
fi
echo "check-installed: $bin and $data in order"
