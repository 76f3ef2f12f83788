#!/usr/bin/env bash
# Measures the simulator window under a virtual X server (xvfb-run):
#   - cold start of Formwick to its first painted frame, and its resident memory then;
#   - processor time of the idle window (the runtime waiting in its main menu) over 10 s;
#   - bench_window: click to frame, restart, model change, stops.
# usage: bench/window/run_window_bench.sh [BUILD_DIR]   (default: build)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
if [ -z "${DISPLAY:-}" ] || [ -z "${FORMWICK_IN_XVFB:-}" ]; then
  exec env FORMWICK_IN_XVFB=1 xvfb-run -a -s "-screen 0 800x900x24" bash "$0" "$build"
fi
unset QT_QPA_PLATFORM
program=$build/shell/Formwick
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config
load() { cut -d' ' -f1-3 /proc/loadavg; }

echo "cold start to the first painted frame (5 runs):"
for i in 1 2 3 4 5; do
  t0=$(date +%s.%N)
  line=$("$program" --ramdisk "$work/ram" --first-frame "$top/examples/stock.json")
  t1=$(echo "$line" | awk '{print $2}')
  rss=$(echo "$line" | awk '{print $4}')
  awk -v a="$t0" -v b="$t1" -v r="$rss" -v l="$(load)" \
    'BEGIN { printf "  %.0f ms, resident %.1f MiB (load %s)\n", (b - a) * 1000, r / 1024, l }'
done

echo "idle window, runtime waiting in its main menu:"
"$program" --ramdisk "$work/ram" "$top/examples/stock.json" &
pid=$!
sleep 7   # the start-up screen's five-second wait, then the main menu
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
a=$(ticks)
sleep 10
b=$(ticks)
hz=$(getconf CLK_TCK)
awk -v a="$a" -v b="$b" -v hz="$hz" -v l="$(load)" \
  'BEGIN { printf "  %.2f %% of one core over 10 s (load %s)\n", (b - a) / hz / 10 * 100, l }'
kill "$pid"; wait "$pid" 2>/dev/null || true

"$build/bench/window/bench_window"
