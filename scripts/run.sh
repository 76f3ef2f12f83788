#!/usr/bin/env bash
# Installs what is missing, builds, and starts Formwick on the example
# application (examples/stock.json, with examples/Articles.txt on the RAM
# disk build/shell/RAM_DISK) when a display is available.
# Without a display it says so and runs the example in the headless
# simulator: examples/stock.keys plays it on a fresh temporary RAM disk
# holding examples/Articles.txt, printing its screens as text, saving them
# as pictures in build/example-screens, and checking its expectations (exit
# 1 when one fails).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/shell/Formwick ]; then
  mkdir -p build/shell/RAM_DISK
  [ -e build/shell/RAM_DISK/Articles.txt ] || cp examples/Articles.txt build/shell/RAM_DISK/
  echo "Formwick examples/stock.json"
  exec build/shell/Formwick examples/stock.json
fi
echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the example in the headless simulator."
shots=build/example-screens
rm -rf "$shots" && mkdir -p "$shots"
args=(examples/stock.json --script examples/stock.keys --file examples/Articles.txt --png "$shots")
echo "formwick-cli run ${args[*]}"
exec build/cli/formwick-cli run "${args[@]}"
