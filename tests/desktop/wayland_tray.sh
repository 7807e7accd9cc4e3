#!/usr/bin/env bash
# The tray icon on a StatusNotifierItem host (waybar on a headless sway, scripts/with-wayland):
# zelvo (DL1ABC, over zelvo-air) exports its icon, tip and menu over D-Bus, and is driven the way
# such a host drives it: the item's Activate shows the roster window, the menu's "clicked" events
# go online and quit. The quit question is answered over the accessibility bus, as Orca's user
# would; Wayland gives a test no way to type into another program's window.
#   tests/desktop/wayland_tray.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step, with the programs' last lines; the scratch
# folder with the screenshots is kept), 77 skipped (a program of the desktop is missing).
set -u

# As the caller: the test runs on the desktop from a scratch folder (run_on_wayland), then the
# steps below.
if [ -z "${ZELVO_WAYLAND_BASE:-}" ]; then
  [ $# -eq 1 ] || { echo "usage: $0 BIN_DIR" >&2; exit 2; }
  command -v grim >/dev/null || { echo "SKIP: grim is missing (apt-get install grim)"; exit 77; }
  /usr/bin/python3 -c 'import pyatspi, gi' 2>/dev/null ||
    { echo "SKIP: python3-pyatspi is missing (apt-get install at-spi2-core python3-pyatspi)"; exit 77; }
  . "$(dirname "$0")/wayland_steps.sh"
  run_on_wayland "$0" "$1"
fi

[ -n "${SWAYSOCK:-}" ] || { echo "run me through tests/desktop/wayland_tray.sh BIN_DIR" >&2; exit 2; }
base=$ZELVO_WAYLAND_BASE
bin=$base/bin
scratch=$base/run
mkdir -p "$scratch"/{zelvo,config,data,state,cache}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
  XDG_STATE_HOME=$scratch/state XDG_CACHE_HOME=$scratch/cache
step="start"
# shellcheck source=tests/desktop/steps.sh
. "$base/steps.sh"
# shellcheck source=tests/desktop/wayland_steps.sh
. "$base/wayland_steps.sh"
trap stop_all EXIT
trap 'exit 143' TERM INT HUP
fail() {
  echo "FAIL in step $step: $*"
  for out in "$scratch"/*.out "$bin/Zelvo.log"; do
    echo "--- last lines of $(basename "$out"):"
    tail -n 15 "$out"
  done
  echo "--- windows on screen: $(windows | paste -sd,)"
  grim "$base/screen.png" 2>/dev/null
  exit 1
}

tip() { item_property ToolTip | unpack 'print(value[0][2])'; }
tip_is() { [ "$(tip)" = "$1" ]; }

# The tray menu as the host gets it: a line per entry, "id|type|label|toggle-type|toggle-state|
# bytes of its picture".
menu=""
menu_entries() {
  gdbus call --session --dest "$service" --object-path "$menu" \
    --method com.canonical.dbusmenu.GetLayout 0 -- -1 '@as []' | unpack '
for id, props, _ in value[1][2]:
    print(id, props.get("type", "standard"), props.get("label", ""), props.get("toggle-type", ""),
          props.get("toggle-state", ""), len(props.get("icon-data", [])), sep="|")'
}

step="1 (zelvo over zelvo-air registers its item with the host)"
start_air_channel
write_settings 3 "Bert,0,DL2BBB-3,1,1,0,,208,218,"
# The accessibility bus must be there before zelvo starts, or zelvo does not register on it.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)' >/dev/null 2>&1
ZELVO_FLEXNET_CONF=$scratch/flexnet.conf ZELVO_REGISTRY_DIR=$scratch/zelvo flexnet=$bin \
  "$bin/zelvo" >"$scratch/zelvo.out" 2>&1 &
zelvo=$!
pids+=("$zelvo")
wait_for "no item of zelvo in the host's RegisteredStatusNotifierItems" find_item

step="2 (the item shows a picture and a tip, the roster window stays hidden)"
[ "$(item_property IconPixmap | unpack 'print(sum(len(p[2]) for p in value[0]))')" -gt 0 ] ||
  fail "the item has no picture: $(item_property IconPixmap | cut -c1-200)"
[ -n "$(tip)" ] || fail "the item has no tip"
shown "Zelvo Pre 2" && fail "the roster window is shown though the host shows the icon"

step="3 (the menu: go Online unchecked, Stationsliste, Monitor, Einstellungen, Beenden, each with its picture)"
menu=$(item_property Menu | unpack 'print(value[0])')
entries=$(menu_entries | cut -d'|' -f2-)
expected="standard|go _Online|checkmark|0|*
standard|_Stationsliste|||*
standard|_Monitor|||*
standard|_Einstellungen|||*
separator||||0
standard|_Beenden|||*"
# shellcheck disable=SC2053  # the expected lines hold patterns for the pictures' sizes
[[ $entries == $expected ]] || fail "the menu is not as expected: $(echo "$entries" | paste -sd' ')"
echo "$entries" | grep -q '^standard|.*|0$' && fail "an entry lacks its picture: $(echo "$entries" | paste -sd' ')"

step="4 (Activate, a left click on the icon, shows the roster window)"
gdbus call --session --dest "$service" --object-path "$path" \
  --method org.kde.StatusNotifierItem.Activate 100 10 >/dev/null || fail "the item refused Activate"
wait_for "no window \"Zelvo Pre 2\" after Activate: $(windows | paste -sd,)" shown "Zelvo Pre 2"
wait_for "the tip is not \"Zelvo Offline\" after Activate: $(tip)" tip_is "Zelvo Offline"
grim "$base/roster.png" || fail "grim took no screenshot"

step="5 (the menu's go Online: the entry checked, \"go OffLine\", the tip \"Zelvo Online\")"
click_entry "go _Online"
wait_for "the entry is not \"go OffLine\" checked: $(menu_entries | paste -sd' ')" \
  eval 'menu_entries | grep -q "|go OffLine|checkmark|1|[1-9]"'
gdbus call --session --dest "$service" --object-path "$path" \
  --method org.kde.StatusNotifierItem.Activate 100 10 >/dev/null || fail "the item refused Activate"
wait_for "the tip is not \"Zelvo Online\": $(tip)" tip_is "Zelvo Online"

step="6 (the menu's Beenden, OK to the question over the accessibility bus)"
quit_through_menu "$zelvo"

echo "PASS: item, picture, tip, menu with pictures and check mark, Activate shows the roster window, going online, Beenden (screenshot taken)"
