#!/usr/bin/env bash
# Installs what is missing, builds, and runs the example application in the
# headless simulator: examples/stock.keys plays it on a fresh temporary RAM
# disk holding examples/Articles.txt, printing its screens as text, saving
# them as pictures in build/example-screens, and checking its expectations
# (exit 1 when one fails).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
shots=build/example-screens
rm -rf "$shots" && mkdir -p "$shots"
args=(examples/stock.json --script examples/stock.keys --file examples/Articles.txt --png "$shots")
echo "formwick-cli run ${args[*]}"
exec build/cli/formwick-cli run "${args[@]}"
