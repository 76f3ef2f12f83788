#!/usr/bin/env bash
# Unpacks the package into a temporary root (dpkg-deb -x; nothing is
# installed into the system) and runs the programs from there: the
# command line's version and the example application, and the desktop
# program under Xvfb with a file on its command line when the package has it.
# usage: run_unpacked.sh DEB_DIR SOURCE_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/package_file.sh" "$1"
src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)

# The programs use the system's libraries only: no library path into the
# build tree survived the install, and every library resolves.
for exe in "$root"/usr/bin/*; do
  ! readelf -d "$exe" | grep -qE 'RPATH|RUNPATH' || fail "$exe keeps a library path: $(readelf -d "$exe" | grep -E 'RPATH|RUNPATH')"
  ! ldd "$exe" | grep -q 'not found' || fail "$exe: $(ldd "$exe" | grep 'not found')"
  name=$(basename "$exe")
  page=$root/usr/share/man/man1/$name.1.gz
  [ -f "$page" ] || fail "no manual page for $name"
  zcat "$page" | grep -q "^\.TH .*\"$name $version\"" || fail "the manual page of $name does not carry version $version"
done

# The guide and references ship whole, in their source layout.
(cd "$src/docs" && find . -type f) | while read -r doc; do
  cmp -s "$src/docs/$doc" "$root/usr/share/doc/formwick/$doc" || fail "docs/${doc#./} is not installed as it is"
done

cli=$root/usr/bin/formwick-cli
[ "$("$cli" --version)" = "formwick-cli $version" ] || fail "formwick-cli --version says \"$("$cli" --version)\", the package is $version"

# The example as scripts/run.sh plays it, from copies so nothing is written
# beside the sources; its key script's expectations decide the exit status.
cp "$src/examples/stock.json" "$src/examples/stock.keys" "$src/examples/Articles.txt" "$tmp/"
(cd "$tmp" && "$cli" run stock.json --script stock.keys --file Articles.txt) >"$tmp/run.out" 2>&1 ||
  { cat "$tmp/run.out"; fail "formwick-cli run of the example failed"; }
echo "formwick-cli $version ran the example from the unpacked package"

if [ -x "$root/usr/bin/Formwick" ]; then
  gui_version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/Formwick" --version)
  [ "$gui_version" = "Formwick $version" ] || fail "Formwick --version says \"$gui_version\" without a display, the package is $version"
  dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "the package's dependencies lack Qt: $(dpkg-deb -f "$deb" Depends)"
  if ! xvfb-run -a true >/dev/null 2>&1; then
    echo "SKIP: Xvfb cannot start here, so the unpacked Formwick was not started"
    exit 77
  fi
  # As installed, the program's folder is not writable by its user: read-only
  # for an ordinary user, and as root the program runs as nobody (the
  # unpacked files belong to root). Its user folders are temporary.
  chmod a-w "$root/usr/bin"
  trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
  export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local/share XDG_RUNTIME_DIR=$tmp/home/run
  mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$tmp"
    chown -R nobody "$HOME"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  # A damaged copy of the example: its last line cut short.
  head -c -20 "$tmp/stock.json" >"$tmp/damaged.json"
  before=$(ls -A "$root/usr/bin")
  # -ac: the X server takes clients without the cookie, which nobody cannot read.
  xvfb-run -a -s "-ac -screen 0 1280x1024x24" "${as_user[@]}" bash "$here/start_formwick.sh" "$root/usr/bin/Formwick" "$tmp/stock.json" "$tmp/damaged.json"
  [ "$(ls -A "$root/usr/bin")" = "$before" ] || fail "Formwick wrote beside itself in /usr/bin: $(ls -A "$root/usr/bin")"
  ramdisk=$(find "$XDG_DATA_HOME" -type d -name RAM_DISK 2>/dev/null | head -n 1)
  [ -n "$ramdisk" ] || fail "Formwick made no RAM disk folder in the user's data folder $XDG_DATA_HOME"
  echo "its RAM disk folder is ${ramdisk#"$HOME"/}"
else
  echo "the package has no Formwick program: its start under Xvfb is not tested"
fi
