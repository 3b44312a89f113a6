#!/usr/bin/env bash
# Drives an installed querimo as a user would, on a virtual X display (Xvfb, xdotool): opens a copy of the
# installed sample with Ctrl+D, loads a statement from a text file with Ctrl+O, runs it with F5 and quits
# through the menu. The window reads no command line, so the keyboard is the way in.
# gui-smoke.sh BINDIR DATADIR
set -euo pipefail
bin=$1
data=$2
work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
  [ -z "$app" ] || kill "$app" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "gui-smoke: $*" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "gui-smoke: skipped, $tool is not installed"; exit 77; }
done

cp "$data/voorbeeld.mdb" "$work/kopie.mdb"
printf "UPDATE Klant SET Plaats = 'Rookproef' WHERE KlantNr = 1\n" >"$work/opdracht.sql"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb HOME="$work" XDG_CONFIG_HOME="$work"

"$bin/querimo" >"$work/querimo.log" 2>&1 &
app=$!
# Asks again until it finds the window: a single search fails at once when a window it looks at is closed
# meanwhile (the open dialog, say), which a busy machine makes likely.
wait_for() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || id=""
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
type_path() {
  local dialog
  dialog=$(wait_for "$1") || fail "no dialog '$1'"
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 20 "$2"
  xdotool key Return
}
window=$(wait_for '^Querimo$') || fail "the window did not appear"
xdotool windowfocus --sync "$window"
xdotool key ctrl+d
type_path 'Database openen' "$work/kopie.mdb"
window=$(wait_for "^Querimo - .*kopie.mdb$") || fail "the sample did not open"
xdotool windowfocus --sync "$window"
xdotool key ctrl+o
type_path 'openen' "$work/opdracht.sql"
sleep 1
xdotool windowfocus --sync "$window"
xdotool key F5
sleep 2
xdotool key alt+b
sleep 0.5
xdotool key a
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "querimo did not quit through its menu"
wait "$app" || fail "querimo ended with status $?"
app=""
place=$("$bin/querimo-sql" "$work/kopie.mdb" "SELECT Plaats FROM Klant WHERE KlantNr = 1" | tail -n 1)
[ "$place" = "Rookproef" ] || fail "the statement did not run (Plaats is '$place')"
echo "gui-smoke: querimo opened the sample, ran a statement and quit"
