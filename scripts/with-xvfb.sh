#!/usr/bin/env bash
# Runs a command under a virtual X server of its own and returns the command's status.
# The display number is drawn at random from a high range, and drawn again when another
# server holds it: servers that let X choose (-displayfd alone, xvfb-run -a) all start at
# the lowest free number, and one of them ending could take away the socket of a server
# that had just been given the number it freed.
# Usage: with-xvfb.sh COMMAND [ARG...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed (bash scripts/deps.sh)"; exit 1; }
dir=$(mktemp -d)
xvfb=""
trap '[ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }; rm -rf "$dir"' EXIT
display=""
for _ in $(seq 1 20); do
  n=$((1000 + RANDOM % 30000))
  rm -f "$dir/display"
  mkfifo "$dir/display"
  Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb=$!
  # The server writes its number once it takes connections; it writes nothing when the
  # number is taken, and ends.
  read -r -t 120 display <"$dir/display" || true
  [ -n "$display" ] && break
  wait "$xvfb" 2>/dev/null || true
  xvfb=""
done
[ -n "$display" ] || { echo "with-xvfb: the X server did not start:"; cat "$dir/xvfb.log"; exit 1; }
DISPLAY=:$display "$@"
