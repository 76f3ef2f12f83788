#!/usr/bin/env bash
# Runs inside xvfb-run: starts the desktop program with a definition on its
# command line, waits for its window, checks that it still runs a moment
# later, then ends it.
# usage: start_formwick.sh PROGRAM FILE
set -euo pipefail
program=$1 file=$2
log=$(mktemp)
"$program" "$file" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -f "$log"' EXIT
fail() { cat "$log"; echo "FAIL: $*" >&2; exit 1; }

window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name 'Formwick' | head -n 1) ||
  fail "no Formwick window within 30 s"
sleep 2
kill -0 "$pid" 2>/dev/null || fail "Formwick ended after showing its window"
echo "the unpacked Formwick shows \"$(xdotool getwindowname "$window")\" with $(basename "$file")"
