#!/usr/bin/env bash
# Regenerates the five built-in font tables and their sheets from the
# public-domain misc-fixed fonts (Debian package xfonts-base; pcf2bdf reads
# them). Needs a desktop build in build/ that holds formwick_font_gen.
# usage: tools/fonts/make_fonts.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
gen=$build/tools/fonts/formwick_font_gen
misc=/usr/share/fonts/X11/misc
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$top/tools/fonts/sheets"

# font number, source, cell width and height, shift of the source in the cell
while read -r n src w h dx dy; do
  zcat "$misc/$src.pcf.gz" > "$tmp/$src.pcf"
  pcf2bdf -o "$tmp/$src.bdf" "$tmp/$src.pcf"
  "$gen" "$tmp/$src.bdf" "$w" "$h" "$dx" "$dy" "kFont$n" \
    "$top/simulator/core/fonts/font$n.cpp" "$top/tools/fonts/sheets/font$n.png"
done <<'LIST'
0 4x6 6 6 1 0
1 5x8 8 8 1 0
2 6x12 6 12 0 0
3 8x13 8 16 0 1
4 10x20 12 24 1 2
LIST
