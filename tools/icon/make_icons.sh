#!/usr/bin/env bash
# Regenerates the committed application icon (SVG and the PNG sizes) in
# packaging/icons/hicolor. Needs a desktop build that holds formwick_icon_gen.
# usage: tools/icon/make_icons.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
cmake --build "$build" --target formwick_icon_gen
QT_QPA_PLATFORM=offscreen "$build/tools/icon/formwick_icon_gen" "$top/packaging/icons/hicolor" org.formwick.Formwick
