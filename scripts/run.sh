#!/usr/bin/env bash
# Installs what is missing, builds, and runs the example application in the
# headless simulator: examples/stock.keys plays it on a fresh temporary RAM
# disk holding examples/Articles.txt, printing its screens and checking its
# expectations (exit 1 when one fails).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
bash scripts/build.sh build >/dev/null
echo "formwick-cli run examples/stock.json --script examples/stock.keys --file examples/Articles.txt"
exec build/cli/formwick-cli run examples/stock.json --script examples/stock.keys --file examples/Articles.txt
