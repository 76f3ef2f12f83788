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
if ! probe=$(xvfb-run -a -s "-screen 0 640x800x24" true 2>&1); then
  echo "SKIPPED: Xvfb cannot start here: $probe"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 640x800x24" bash "$here/smoke_session.sh" "$program"
