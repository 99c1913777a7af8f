#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a release build,
# and a debug build under AddressSanitizer and UndefinedBehaviorSanitizer. A third build
# under ThreadSanitizer runs only the tests that start threads. Among the tests,
# qel_casefuzz opens a few thousand damaged case and settings files; a longer run of it
# is scripts/fuzz.sh.
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
echo "== thread sanitizer build and the tests that start threads"
thread_tests=(qel_core_tests qel_doc_tests qel_platform_base_tests)
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_TSAN=ON -DQEL_BUILD_BENCH=OFF
cmake --build build/tsan -j "$jobs" --target "${thread_tests[@]}"
# Their tests carry the executable's short name as ctest label: qel_core_tests is "core".
thread_labels=("${thread_tests[@]#qel_}")
thread_labels=("${thread_labels[@]%_tests}")
(cd build/tsan && ctest --output-on-failure -j "$jobs" -L "^($(IFS='|'; echo "${thread_labels[*]}"))\$")
echo "== all tests passed"
