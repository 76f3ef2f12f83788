#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build
# (window tests offscreen, the smoke test of Formwick under Xvfb), then the
# headless core again under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the host and session threads under ThreadSanitizer.
#
# To stay quick on a small machine: compiles go through ccache (its cache
# lives outside the clone, so a fresh clone reuses it), and the sanitizer
# trees compile at -O1 with line tables only (-g1), which roughly halves
# their compile time and keeps file and line in every report.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/install-deps.sh
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}; fi
sanitizer_flags=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1")

bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j"$(nproc)"

bash scripts/build.sh build-asan -DFORMWICK_CORE_ONLY=ON -DFORMWICK_SANITIZE=address,undefined -DFORMWICK_BENCH=OFF \
  "${sanitizer_flags[@]}"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

# The terminal host's threads once more under ThreadSanitizer: only the host,
# runner and session tests (every suite there is named Host... or Session...).
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S "$top" -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFORMWICK_CORE_ONLY=ON -DFORMWICK_SANITIZE=thread -DFORMWICK_BENCH=OFF "${sanitizer_flags[@]}"
fi
cmake --build build-tsan --target host_tests runner_tests session_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build-tsan --output-on-failure -R '^(Host|Session)' -j"$(nproc)"
