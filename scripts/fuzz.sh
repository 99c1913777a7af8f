#!/usr/bin/env bash
# A long run of the case file fuzz harness, which CI runs with a few thousand mutants:
#   scripts/fuzz.sh COUNT [JOBS] [SEED]          release build
#   QEL_FUZZ_ASAN=1 scripts/fuzz.sh COUNT ...    under the sanitizers
# Files that crash, hang or use too much memory are kept in the build folder's
# casefuzz-failures; `qel_casefuzz --only I --seed SEED` opens mutant I in one process.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:?count of mutants}
jobs=${2:-2}
seed=${3:-1}
if [[ "${QEL_FUZZ_ASAN:-0}" == 1 ]]; then
  dir=build/asan
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQEL_SANITIZE=ON -DQEL_BUILD_BENCH=OFF > /dev/null
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
else
  dir=build/release
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
fi
cmake --build "$dir" --target qel_casefuzz -j "$jobs"
"$dir/tests/qel_casefuzz" --count "$count" --jobs "$jobs" --seed "$seed" --out "$dir/casefuzz-failures"
