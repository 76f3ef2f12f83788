#!/usr/bin/env bash
# Builds the fuzz targets (clang and libFuzzer, with ASan and UBSan) in
# build-fuzz and fuzzes each target for SECONDS (default 60), one after the
# other, at the lowest priority. FUZZ_JOBS=2 runs two targets at a time.
#
# usage: fuzz.sh [SECONDS] [TARGET...]
#   targets: appfile_load definition_json key_script database display (all by default)
#
# For each target, build-fuzz/fuzz-runs/TARGET/ holds the growing corpus
# (started from fuzz/TARGET/corpus), the log, and crashes/ with any input
# that crashed, leaked or hung (and slow units, which are not failures).
# Commit a crash's input to fuzz/TARGET/reproducers/ once it is fixed, so
# the tests replay it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(appfile_load definition_json key_script database display)
jobs=${FUZZ_JOBS:-1}

if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang-14 CXX=clang++-14 cmake -S "$top" -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFORMWICK_CORE_ONLY=ON -DFORMWICK_FUZZ=ON -DFORMWICK_TESTS=OFF -DFORMWICK_BENCH=OFF
fi
cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"

fuzz_one() {
  local t=$1 run=build-fuzz/fuzz-runs/$1
  mkdir -p "$run/corpus" "$run/crashes"
  local dict=() options=()
  [ -f "fuzz/$t/$t.dict" ] && dict=(-dict="fuzz/$t/$t.dict")
  # fuzz/TARGET/options: more libFuzzer flags for that target, e.g. -max_len.
  [ -f "fuzz/$t/options" ] && read -r -a options < "fuzz/$t/options"
  echo "fuzzing $t for $seconds s: log in $run/log, crashes in $run/crashes/"
  nice -n 19 "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
    -print_final_stats=1 "${dict[@]}" "${options[@]}" -artifact_prefix="$run/crashes/" \
    "$run/corpus" "fuzz/$t/corpus" "fuzz/$t/reproducers" > "$run/log" 2>&1 || true
}

summary() {
  local t=$1 log=build-fuzz/fuzz-runs/$1/log
  local last execs rate crashes
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  execs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  rate=$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  # Slow units are kept beside the crashes but are not failures.
  crashes=$(find "build-fuzz/fuzz-runs/$t/crashes" -type f ! -name 'slow-unit-*' | wc -l)
  slow=$(find "build-fuzz/fuzz-runs/$t/crashes" -type f -name 'slow-unit-*' | wc -l)
  printf '%-16s executions %-10s exec/s %-6s %s  crashes: %s  slow units: %s\n' "$t" "${execs:-?}" "${rate:-?}" \
    "$(grep -oE 'cov: [0-9]+ ft: [0-9]+' <<<"$last" || echo '?')" "$crashes" "$slow"
}

running=0
for t in "${targets[@]}"; do
  fuzz_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then wait -n || true; running=$((running - 1)); fi
done
wait || true
for t in "${targets[@]}"; do summary "$t"; done
