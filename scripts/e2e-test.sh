#!/usr/bin/env bash
# Runs the scenario program (the real QEL with a driver of its windows) under a virtual
# X server in a fresh home, then checks what it left behind: its exit status, the settings
# file and start count, and the files it exported, read by programs that are not QEL's.
# Usage: e2e-test.sh E2E_EXECUTABLE OUTPUT_FOLDER [SCREENSHOT_FOLDER]
set -euo pipefail
exe=$1
mkdir -p "$2"; out=$(cd "$2" && pwd)
shots=${3:-$out/screenshots}; mkdir -p "$shots"; shots=$(cd "$shots" && pwd)
root="$(cd "$(dirname "$0")/.." && pwd)"
for tool in Xvfb xdotool pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed (bash scripts/deps.sh)"; exit 1; }
done
[ -x "$exe" ] || { echo "e2e: no executable at $exe"; exit 1; }

rm -rf "$out"
mkdir -p "$out" "$shots"
. "$root/scripts/fresh-home.sh"
export QEL_E2E_OUT=$out QEL_E2E_SHOTS=$shots

rc=0
bash "$root/scripts/with-xvfb.sh" "$exe" || rc=$?
[ "$rc" -eq 0 ] || { echo "e2e: exit status $rc"; exit 1; }
check_home e2e 1
echo "e2e: exit status 0, settings file and start count written"

# Debian's own interpreter: Pillow comes from the python3-pil package.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
"$python" "$root/tests/e2e/check_exports.py" "$out"
echo "e2e test passed"
