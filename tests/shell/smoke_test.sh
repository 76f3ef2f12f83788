#!/usr/bin/env bash
# usage: smoke_test.sh PATH/TO/Formwick
# Starts Formwick under Xvfb on a fresh definition and a temporary RAM disk,
# finds its window by the title "Formwick", clicks the DOWN key of the
# KTM3300 face and checks that the window's picture changes.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool xwd; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
# Display numbers are picked from a random start, so test runs of several
# users on one machine do not race for the same server; a server lost to
# such a race anyway (exit 3 from the session) is tried again.
xvfb() { xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 640x800x24" "$@"; }
if ! probe=$(xvfb true 2>&1); then
  echo "SKIPPED: Xvfb cannot start here: $probe"
  exit 77
fi
for attempt in 1 2 3; do
  status=0
  xvfb bash "$here/smoke_session.sh" "$program" || status=$?
  [ "$status" -eq 3 ] || exit "$status"
  echo "the virtual display was not usable (attempt $attempt)"
done
exit 1
