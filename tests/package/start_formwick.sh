#!/usr/bin/env bash
# Runs inside xvfb-run: the desktop program refuses a damaged definition
# named on its command line (so it reads the file it is given), then shows
# its window on the good one and still runs a moment later; then it is ended.
# usage: start_formwick.sh PROGRAM GOOD_FILE DAMAGED_FILE
set -euo pipefail
program=$1 good=$2 damaged=$3
log=$(mktemp)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -f "$log"
}
trap cleanup EXIT
fail() { cat "$log"; echo "FAIL: $*" >&2; exit 1; }

status=0
timeout 30 "$program" "$damaged" >"$log" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "Formwick given a damaged file ended with status $status, not 1"
[ -s "$log" ] || fail "Formwick refused a damaged file without saying why"
echo "the unpacked Formwick refuses $(basename "$damaged"): $(tail -n 1 "$log")"

"$program" "$good" >"$log" 2>&1 &
pid=$!
window=
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --pid "$pid" --name 'Formwick' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "Formwick ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || fail "no Formwick window within 30 s"
sleep 2
kill -0 "$pid" 2>/dev/null || fail "Formwick ended after showing its window"
echo "the unpacked Formwick shows \"$(xdotool getwindowname "$window")\" with $(basename "$good")"
exit 0
