# Steps of the tests on the headless Wayland desktop (scripts/with-wayland: sway with waybar as the
# tray host), sourced after steps.sh. Wayland gives a test no way to look at or type into another
# program's windows: they are found in sway's tree, the tray item is driven over D-Bus as the host
# drives it.

# As the caller: the programs, SCRIPT, these steps and the FILEs go into a scratch folder that the
# desktop's user owns (scripts/with-wayland runs as nobody when started as root, and nobody may
# not read the checkout), then SCRIPT runs on the desktop from there with ZELVO_WAYLAND_BASE set.
# Exits with its status; the folder is kept when it failed.
run_on_wayland() {  # SCRIPT BIN_DIR FILE...
  local script=$1 bin_dir=$2 here base code file
  shift 2
  here=$(cd "$(dirname "$script")" && pwd)
  base=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-$(basename "$script" .sh).XXXXXX")
  chmod 755 "$base"
  mkdir "$base/bin"
  for file in zelvo zelvo-air zelvo-station libflxapi32.so libzelvo_audio.so; do
    [ -e "$bin_dir/$file" ] && cp "$bin_dir/$file" "$base/bin/"
  done
  cp "$script" "$here/steps.sh" "$here/wayland_steps.sh" "$@" "$base/"
  [ "$(id -u)" -eq 0 ] && chown -R "${WAYLAND_USER:-nobody}" "$base"
  ZELVO_WAYLAND_BASE=$base "$here/../../scripts/with-wayland" "$base/$(basename "$script")"
  code=$?
  if [ $code -eq 0 ] || [ $code -eq 77 ]; then rm -rf "$base"; else echo "kept: $base"; fi
  exit $code
}

# As steps.sh's, but bounded by the clock: a poll here asks the bus and takes its time.
wait_for() {
  local what=$1 end=$((SECONDS + 20))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || fail "$what (after 20 s)"
    sleep 0.05
  done
}

# The names of the shown windows, one a line (swaymsg's tree, floating windows included).
windows() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("visible") and node.get("pid"):
        print(node["name"])
    for child in node["nodes"] + node["floating_nodes"]:
        walk(child)
walk(json.load(sys.stdin))'
}
shown() { windows | grep -qxF "$1"; }

# GVariant text as gdbus prints it, unpacked into Python values for the code in $1.
unpack() {
  /usr/bin/python3 -c "import sys
from gi.repository import GLib
value = GLib.Variant.parse(None, sys.stdin.read()).unpack()
$1"
}
item_property() {
  gdbus call --session --dest "$service" --object-path "$path" \
    --method org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1"
}

# The item whose Id is zelvo among those the host knows; sets $service and $path.
service=""
path=""
find_item() {
  local entry
  for entry in $(gdbus call --session --dest org.kde.StatusNotifierWatcher \
    --object-path /StatusNotifierWatcher --method org.freedesktop.DBus.Properties.Get \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | unpack 'print(*value[0])'); do
    service=${entry%%/*}
    path=/${entry#*/}
    [ "$(item_property Id | unpack 'print(value[0])')" = zelvo ] && return 0
  done
  return 1
}

# Presses the button of a window as a screen reader's user does, over the accessibility bus.
press_button() {
  /usr/bin/python3 - "$1" "$2" <<'EOF'
import sys
import pyatspi

def press(node):
    if node.getRoleName() == "push button" and node.name == sys.argv[2]:
        node.queryAction().doAction(0)
        return True
    return any(press(child) for child in node if child is not None)

sys.exit(0 if any(window is not None and window.name == sys.argv[1] and press(window)
                  for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == "zelvo"
                  for window in app) else 1)
EOF
}
