#!/usr/bin/env bash
# Configures (once) and builds one build tree.
# usage: build.sh DIR [cmake options...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
if [ ! -f "$top/$dir/build.ninja" ]; then
  cmake -S "$top" -B "$top/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$top/$dir"
