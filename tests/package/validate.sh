#!/usr/bin/env bash
# The package's validators: lintian (no error or warning), desktop-file-validate
# and appstreamcli validate on the desktop entry and metainfo the build
# installs, update-mime-database on the file types; and the three agree on
# the file types and the version.
# usage: validate.sh DEB_DIR BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/package_file.sh" "$1"
build=$2
id=org.formwick.Formwick
desktop=$build/packaging/$id.desktop
metainfo=$build/packaging/$id.metainfo.xml
mime=$(cd "$here/../.." && pwd)/packaging/formwick-mime.xml
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

lint=0
lintian --fail-on error,warning --display-info "$deb" >"$tmp/lintian.out" 2>&1 || lint=$?
grep -v 'running with root privileges' "$tmp/lintian.out" || true
[ "$lint" -eq 0 ] || fail "lintian reports errors or warnings (above)"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
mkdir -p "$tmp/mime/packages"
cp "$mime" /usr/share/mime/packages/freedesktop.org.xml "$tmp/mime/packages/"
update-mime-database "$tmp/mime" >"$tmp/mime.log" 2>&1 || { cat "$tmp/mime.log"; fail "update-mime-database refuses the file types"; }

# Every file type the desktop entry and the metainfo name is defined.
types=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' ')
types+=" $(sed -n 's:.*<mediatype>\(.*\)</mediatype>.*:\1:p' "$metainfo")"
for t in $types; do
  grep -q "<mime-type type=\"$t\">" "$mime" || fail "$t is named but not defined in $(basename "$mime")"
  [ -f "$tmp/mime/${t}.xml" ] || fail "$t is missing from the built MIME database"
done

version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not the package version $version"
echo "lintian, desktop-file-validate, appstreamcli and update-mime-database accept formwick $version"
