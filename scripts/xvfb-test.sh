#!/usr/bin/env bash
# Starts the real program under a virtual X server as a user would, twice: waits for its
# main window, quits through the File menu, and checks the exit status, the settings file
# and the start count in the profile.
# Usage: xvfb-test.sh QEL_EXECUTABLE
set -euo pipefail
qel=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "xvfb-test: $tool is not installed (bash scripts/deps.sh)"; exit 1; }
done
[ -x "$qel" ] || { echo "xvfb-test: no executable at $qel"; exit 1; }

. "$here/fresh-home.sh"

# The session run inside the X server: start, find the window, open File, choose Exit.
cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -u
qel=$1
"$qel" &
pid=$!
win=""
for _ in $(seq 1 300); do
  win=$(xdotool search --onlyvisible --name "Pellomar QEL" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "qel ended before its window showed"; wait "$pid"; exit 1; }
  sleep 0.1
done
[ -n "$win" ] || { echo "no main window after 30 s"; kill "$pid"; exit 1; }
echo "main window: $(xdotool getwindowname "$win")"
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

run_once() {
  local n=$1
  echo "== start $n"
  local rc=0
  bash "$here/with-xvfb.sh" bash "$work/session.sh" "$qel" || rc=$?
  [ "$rc" -eq 0 ] || { echo "start $n: exit status $rc"; exit 1; }
  check_home "start $n" "$n"
  echo "start $n: exit status 0, settings file and start count $n written"
}

run_once 1
run_once 2
echo "xvfb test passed"
