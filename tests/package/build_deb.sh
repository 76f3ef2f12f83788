#!/usr/bin/env bash
# Makes the Debian package from an already built tree with cpack (it runs
# the install rules into a staging folder, strips, computes the
# dependencies and packs), into a fresh output folder.
# usage: build_deb.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1 out=$2
rm -rf "$out"
mkdir -p "$out"
start=$(date +%s%N)
if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
rm -rf "$out/_CPack_Packages"
debs=("$out"/formwick_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one package in $out"; ls -l "$out"; exit 1; }
echo "${debs[0]} made in $(( ($(date +%s%N) - start) / 1000000 )) ms"
