#!/usr/bin/env bash
# Rebuilds the skin generator and redraws the committed terminal faces.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$top/build" --target formwick_skin_gen
"$top/build/tools/skins/formwick_skin_gen" "$top/simulator/window/skins"
