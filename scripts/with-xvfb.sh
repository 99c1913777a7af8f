#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and returns the command's status.
# The server picks a free display number itself (-displayfd): tests and builds that start
# X servers at the same time on one machine never pick the same one, which a number
# chosen beforehand, as xvfb-run -a does, cannot promise.
# Usage: with-xvfb.sh COMMAND [ARG...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed (bash scripts/deps.sh)"; exit 1; }
dir=$(mktemp -d)
mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT
display=""
read -r -t 120 display <"$dir/display" || true
[ -n "$display" ] || { echo "with-xvfb: the X server did not start:"; cat "$dir/xvfb.log"; exit 1; }
DISPLAY=:$display "$@"
