#!/usr/bin/env bash
# Installs what is missing, builds Formwick from a clean build tree, makes
# the Debian package from it with cpack, and checks the package with lintian.
# usage: scripts/package.sh [BUILD_DIR]   (default build-package, deleted first)
# Install the result with: sudo apt install ./BUILD_DIR/formwick_VERSION_ARCH.deb
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
dir=${1:-build-package}
case "$dir" in
  ""|/|.|..) echo "package.sh: refusing to delete \"$dir\"" >&2; exit 2 ;;
esac
if [ -e "$dir" ] && [ ! -f "$dir/CMakeCache.txt" ]; then
  echo "package.sh: $dir exists and is not a build tree; not deleting it" >&2
  exit 2
fi
bash scripts/install-deps.sh
rm -rf "$dir"
bash scripts/build.sh "$dir" -DFORMWICK_TESTS=OFF -DFORMWICK_BENCH=OFF
(cd "$dir" && cpack)
deb=$(ls "$dir"/formwick_*.deb)
lintian --fail-on error "$deb"
echo "Package: $deb"
echo "Install it with: sudo apt install ./$deb"
