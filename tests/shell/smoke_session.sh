#!/usr/bin/env bash
# The smoke test inside the virtual X server (see smoke_test.sh).
set -euo pipefail
program=$1
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }

unset QT_QPA_PLATFORM
# Exit 3 tells smoke_test.sh that the display itself is not usable.
xdotool getmouselocation >/dev/null 2>&1 || { echo "no usable display $DISPLAY"; exit 3; }
HOME=$work XDG_CONFIG_HOME=$work/config "$program" --ramdisk "$work/RAM_DISK" &
pid=$!

wid=
for _ in $(seq 200); do
  wid=$(xdotool search --onlyvisible --name '^Formwick$' 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "Formwick ended before its window appeared"
  sleep 0.05
done
[ -n "$wid" ] || fail "no window titled Formwick within 10 s"

# A window just mapped may not be ready for a grab yet: try a few times.
grab() {
  for _ in $(seq 20); do
    xwd -id "$wid" -silent > "$1" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "cannot grab window $wid"
}

# Wait until the picture holds still (the application sits in its menu).
grab "$work/a.xwd"
for _ in $(seq 100); do
  sleep 0.2
  grab "$work/b.xwd"
  cmp -s "$work/a.xwd" "$work/b.xwd" && break
  mv "$work/b.xwd" "$work/a.xwd"
done

# The window is shaped like the face: over a magenta corner of the skin the
# pointer is over whatever lies below, over the face it is over the window.
under() {
  xdotool mousemove --window "$wid" "$1" "$2"
  sleep 0.05
  eval "$(xdotool getmouselocation --shell)"
  echo "$WINDOW"
}
[ "$(under 2 2)" != "$wid" ] || fail "the see-through corner of the face catches the pointer"
[ "$(under 115 210)" = "$wid" ] || fail "the face does not catch the pointer"

# The DOWN key of the KTM3300 face sits at 159..211 x 252..286.
xdotool mousemove --window "$wid" 185 269 click 1
for _ in $(seq 100); do
  sleep 0.05
  grab "$work/c.xwd"
  if ! cmp -s "$work/a.xwd" "$work/c.xwd"; then
    echo "PASSED: window $wid changed after a click on the DOWN key"
    exit 0
  fi
done
fail "the window did not change within 5 s of the click"
