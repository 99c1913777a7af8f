# Sourced by the scripts that start the real program: a home of its own in $work, taken
# away on exit, with no offscreen platform forced on Qt.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# check_home PREFIX N: the settings file written and the profile's start count N.
check_home() {
  local prefix=$1 want=$2 count
  [ -s "$XDG_CONFIG_HOME/QEL/QEL.xml" ] || { echo "$prefix: settings file not written"; exit 1; }
  count=$(sed -n 's/^Number=//p' "$XDG_CONFIG_HOME/Orrinvale/QEL.conf")
  [ "$count" = "$want" ] || { echo "$prefix: start count is '$count'"; exit 1; }
}
