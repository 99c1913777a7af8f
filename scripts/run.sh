#!/usr/bin/env bash
# Installs what is missing, builds QEL in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)"
if [ -x build/release/app/qel ]; then
  exec build/release/app/qel "$@"
else
  echo "QEL is built (libraries, tests and benchmarks); the main window does not exist yet, so there is nothing to start."
fi
