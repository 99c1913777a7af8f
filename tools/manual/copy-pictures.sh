#!/usr/bin/env bash
# Copies the pictures the manual names (docs/manual/images/e2e-*.png) from the screenshot
# folder of an end-to-end run, so the manual shows the program as it is now.
# Usage: tools/manual/copy-pictures.sh [build/release/screenshots]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
shots=${1:-$root/build/release/screenshots}
manual=$root/docs/manual
mkdir -p "$manual/images"
missing=0
for name in $(grep -oh 'images/[A-Za-z0-9._-]*\.png' "$manual"/*.md | sort -u); do
  if [ -f "$shots/${name#images/}" ]; then
    cp "$shots/${name#images/}" "$manual/$name"
  else
    echo "copy-pictures: no ${name#images/} in $shots"
    missing=1
  fi
done
exit $missing
