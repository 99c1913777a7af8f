#!/usr/bin/env bash
# Installs what is missing, builds QEL in release mode and starts it. Arguments go to the
# program: `bash scripts/run.sh case.qel` opens that case.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build/release" --target qel -j "$(nproc)"
# Started from the caller's folder, so a relative case path names the file meant.
exec "$root/build/release/app/qel" "$@"
