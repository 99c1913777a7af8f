#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a release build,
# and a debug build under AddressSanitizer and UndefinedBehaviorSanitizer. Among the
# tests, qel_casefuzz opens a few thousand damaged case and settings files; a longer
# run of it is scripts/fuzz.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)

run_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

export QT_QPA_PLATFORM=offscreen
echo "== release build and tests"
run_build build/release -DCMAKE_BUILD_TYPE=Release
echo "== debug build with sanitizers and tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_build build/asan -DCMAKE_BUILD_TYPE=Debug -DQEL_SANITIZE=ON -DQEL_BUILD_BENCH=OFF
echo "== all tests passed"
