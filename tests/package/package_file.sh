# Sourced by the package tests: sets deb to the one package in $1.
debs=("$1"/formwick_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "no package in $1 (Package.Build makes it)"; exit 1; }
fail() { echo "FAIL: $*" >&2; exit 1; }
