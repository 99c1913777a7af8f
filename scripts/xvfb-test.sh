#!/usr/bin/env bash
# Starts the real program under a virtual X server as a user would, twice: waits for its
# main window, quits through the File menu, and checks the exit status, the settings file
# and the start count in the profile. Then, with its home in a folder named in several
# scripts, starts it on a case file so named, once in the C locale and once in a UTF-8
# one: the case must open (its name in the window title) and the profile must keep it
# in the recent-file list.
# Usage: xvfb-test.sh QEL_EXECUTABLE
set -euo pipefail
qel=$1
here=$(cd "$(dirname "$0")" && pwd)
fixture="$here/../tests/e2e/fixtures/one-bridge.qel"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "xvfb-test: $tool is not installed (bash scripts/deps.sh)"; exit 1; }
done
[ -x "$qel" ] || { echo "xvfb-test: no executable at $qel"; exit 1; }
[ -s "$fixture" ] || { echo "xvfb-test: no case file at $fixture"; exit 1; }

. "$here/fresh-home.sh"

# The session run inside the X server: start (on the case file, when given), find the
# window, check its title, open File, choose Exit. The program runs in the locale given
# (none: the one it was given); the script's own tools read window names as UTF-8.
cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -u
qel=$1 locale=$2 case=${3:-}
if [ -n "$locale" ]; then set -- env LANG="$locale" LC_ALL="$locale" "$qel"; else set -- "$qel"; fi
want=""
if [ -n "$case" ]; then
  set -- "$@" "$case"
  want="$(basename "$case") - Pellomar QEL"
fi
"$@" &
pid=$!
export LC_ALL=C.UTF-8
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name "Pellomar QEL" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  # A message box captioned "QEL" in place of the main window: the start failed.
  if [ -n "$(xdotool search --onlyvisible --name '^QEL$' 2>/dev/null || true)" ]; then
    echo "a message box showed in place of the main window"
    kill "$pid"; wait "$pid"; exit 1
  fi
  kill -0 "$pid" 2>/dev/null || { echo "qel ended before its window showed"; wait "$pid"; exit 1; }
  sleep 0.1
done
[ -n "$win" ] || { echo "no main window after 30 s"; kill "$pid"; exit 1; }
title=$(xdotool getwindowname "$win")
echo "main window: $title"
if [ -n "$want" ] && [ "$title" != "$want" ]; then
  echo "the title is not '$want': the case did not open"
  kill "$pid"; wait "$pid"; exit 1
fi
sleep 1
# A loaded machine may open the menu late: try again after Escape, a few times.
for attempt in 1 2 3 4 5; do
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win" || true
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key x
  for _ in $(seq 1 60); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
  echo "File > Exit, attempt $attempt: still running"
  xdotool key Escape Escape
done
if kill -0 "$pid" 2>/dev/null; then echo "qel still running after File > Exit"; kill "$pid"; wait "$pid"; exit 1; fi
wait "$pid"
SESSION

# run_once NAME N LOCALE [CASE]: one start; the start count is then N.
run_once() {
  local name=$1 n=$2 locale=$3 case=${4:-}
  echo "== $name"
  local rc=0
  bash "$here/with-xvfb.sh" bash "$work/session.sh" "$qel" "$locale" "$case" || rc=$?
  [ "$rc" -eq 0 ] || { echo "$name: exit status $rc"; exit 1; }
  check_home "$name" "$n"
  echo "$name: exit status 0, settings file and start count $n written"
}

run_once "start 1" 1 ""
run_once "start 2" 2 ""

# Home, settings, profile and case in folders named in several scripts, with blanks and
# quotes; the file name likewise.
named="$work/Prüfung Ωμέγα 桥梁 🌉 \"Joe's\""
export HOME="$named/home" XDG_CONFIG_HOME="$named/config"
mkdir -p "$HOME" "$named/cases"
case="$named/cases/Brücke Ω 荷载 🚚 it's \"x\".qel"
cp "$fixture" "$case"
n=0
for locale in C C.UTF-8; do
  n=$((n + 1))
  run_once "case by name, locale $locale" "$n" "$locale" "$case"
  # The profile file writes a quote as \".
  grep -qF "File1=${case//\"/\\\"}" "$XDG_CONFIG_HOME/Orrinvale/QEL.conf" ||
    { echo "the recent-file list does not hold the case:"; cat "$XDG_CONFIG_HOME/Orrinvale/QEL.conf"; exit 1; }
done
echo "xvfb test passed"
