# shellcheck shell=bash
# Steps of the tests on the headless Wayland desktop (scripts/with-wayland: sway with waybar as the
# tray host), sourced after steps.sh. Wayland gives a test no way to look at or type into another
# program's windows: they are found in sway's tree, the tray item is driven over D-Bus as the host
# drives it. The caller sets $bin and $scratch, $service and $path (the item), and $pids.

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

# A zelvo-air channel for the test's programs, and the channel table that names it
# ($scratch/flexnet.conf).
start_air_channel() {
  "$bin/zelvo-air" --port 0 >"$scratch/air.out" 2>&1 &
  pids+=("$!")
  wait_for "zelvo-air did not say its port" grep -q 'listening on 127.0.0.1:' "$scratch/air.out"
  echo "0 kiss-tcp 127.0.0.1:$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/air.out") Simulation" \
    >"$scratch/flexnet.conf"
}

# The entry of the item's menu with this label, clicked as the host clicks it.
click_entry() {
  local menu id
  menu=$(item_property Menu | unpack 'print(value[0])')
  id=$(gdbus call --session --dest "$service" --object-path "$menu" \
    --method com.canonical.dbusmenu.GetLayout 0 -- -1 '@as []' | unpack "
print(*[i for i, props, _ in value[1][2] if props.get('label') == '$1'])")
  [ -n "$id" ] || fail "no entry \"$1\" in the menu"
  gdbus call --session --dest "$service" --object-path "$menu" \
    --method com.canonical.dbusmenu.Event "$id" clicked '<0>' 0 >/dev/null || fail "the menu refused a click on \"$1\""
}

# Ends zelvo (process PID) as its user does: "Beenden" in the item's menu, OK to the question
# over the accessibility bus; it must end with status 0.
quit_through_menu() {  # PID
  local code
  click_entry "_Beenden"
  wait_for "no question \"Bestätigung\": $(windows | paste -sd,)" shown "Bestätigung"
  wait_for "the question's OK cannot be pressed over the accessibility bus" press_button "Bestätigung" OK
  wait_for "zelvo did not end" exited "$1"
  wait "$1"
  code=$?
  [ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"
}
