#!/usr/bin/env bash
# The pop-up on Wayland (a headless sway with waybar, scripts/with-wayland), with mako as the
# notification server: a pop-up of the hidden roster window becomes a notification and the tray
# item asks for attention; the notification's action, and the tray's Activate, show the window.
#   tests/desktop/wayland_notices.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step, with the programs' last lines), 77 skipped (a
# program of the desktop, mako or python3-pyatspi is missing).
set -u

# As the caller: the test runs on the desktop from a scratch folder (run_on_wayland), then the
# steps below.
if [ -z "${ZELVO_WAYLAND_BASE:-}" ]; then
  [ $# -eq 1 ] || { echo "usage: $0 BIN_DIR" >&2; exit 2; }
  command -v mako >/dev/null && command -v makoctl >/dev/null ||
    { echo "SKIP: mako is missing (apt-get install mako-notifier)"; exit 77; }
  /usr/bin/python3 -c 'import pyatspi, gi' 2>/dev/null ||
    { echo "SKIP: python3-pyatspi is missing (apt-get install at-spi2-core python3-pyatspi)"; exit 77; }
  . "$(dirname "$0")/wayland_steps.sh"
  run_on_wayland "$0" "$1" "$(dirname "$0")/notices.py"
fi

[ -n "${SWAYSOCK:-}" ] || { echo "run me through tests/desktop/wayland_notices.sh BIN_DIR" >&2; exit 2; }
base=$ZELVO_WAYLAND_BASE
bin=$base/bin
scratch=$base/run
mkdir -p "$scratch"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
step="start"
# shellcheck source=tests/desktop/steps.sh
. "$base/steps.sh"
# shellcheck source=tests/desktop/wayland_steps.sh
. "$base/wayland_steps.sh"
trap stop_all EXIT
trap 'exit 143' TERM INT HUP
fail() {
  echo "FAIL in step $step: $*"
  for out in "$scratch"/*.out; do
    echo "--- last lines of $(basename "$out"):"
    tail -n 15 "$out"
  done
  echo "--- windows on screen: $(windows | paste -sd,)"
  echo "--- notifications: $(notices | paste -sd' ')"
  exit 1
}

notices() { "$base/notices.py" "$scratch/monitor.out"; }
notified() { notices | grep '^N|' | grep -qF "$1"; }
status_sent() { grep -A1 'member=NewStatus' "$scratch/monitor.out" | grep -c "string \"$1\""; }

# The action of the newest notification, as a click on it.
invoke_newest() { makoctl invoke || fail "makoctl cannot invoke the notification's action"; }

step="1 (mako, zelvo online with DL2BBB-3 on its roster, a zelvo-station partner)"
# The partner's steps want a directory for its program's output and the channel table.
start_air_channel
mkdir -p "$scratch"/{zelvo,config,data,state,cache}
export ZELVO_FLEXNET_CONF=$scratch/flexnet.conf XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data \
  XDG_STATE_HOME=$scratch/state XDG_CACHE_HOME=$scratch/cache
mako >"$scratch/mako.out" 2>&1 &
pids+=("$!")
wait_for "mako did not take the name org.freedesktop.Notifications" eval \
  'gdbus call --session --dest org.freedesktop.DBus --object-path / --method org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications | grep -q true'
dbus-monitor --session "interface='org.freedesktop.Notifications'" "type='method_return'" \
  "member='NewStatus'" >"$scratch/monitor.out" 2>&1 &
pids+=("$!")
wait_for "dbus-monitor did not start" grep -q 'member=' "$scratch/monitor.out"
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,0,1,0,,208,218,"
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)' >/dev/null 2>&1
ZELVO_REGISTRY_DIR=$scratch/zelvo flexnet=$bin "$bin/zelvo" >"$scratch/zelvo.out" 2>&1 &
zelvo=$!
pids+=("$zelvo")
wait_for "no item of zelvo in the host's RegisteredStatusNotifierItems" find_item
click_entry "go _Online"
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"

step="2 (DL2BBB going offline pops up nothing: a notification, and the item asks for attention)"
# "User Offline" pops up the window and is no notification by default.
tell partner offline
wait_for "no notification of DL2BBB going offline" notified "|DL2BBB (Bert)|ist Offline|"
shown "Zelvo Pre 2" && fail "the roster window came up by itself"
wait_for "the item did not ask for attention" eval '[ "$(status_sent NeedsAttention)" -ge 1 ]'

step="3 (the notification's action shows the roster window; the item stops asking)"
invoke_newest
wait_for "no roster window after the notification's action: $(windows | paste -sd,)" shown "Zelvo Pre 2"
wait_for "the item still asks for attention" eval '[ "$(status_sent Active)" -ge 1 ]'
token=$(notices | grep -c '^T|')

step="4 (closed, the window hides; a message is a notification whose action opens its window)"
swaymsg '[title="^Zelvo Pre 2$"] kill' >/dev/null || fail "swaymsg cannot close the roster window"
wait_for "the roster window did not hide" eval '! shown "Zelvo Pre 2"'
tell partner online
wait_for "the partner did not go online again" eval '[ "$(grep -c "^SELF online qrv$" "$scratch/partner.out")" -ge 2 ]'
tell partner "msg DL1ABC Hallo Anna"
wait_for "no notification of the message" notified "|DL2BBB (Bert)|Hallo Anna|"
shown "Zelvo Pre 2" && fail "the roster window came up by itself for the message"
invoke_newest
wait_for "no message window after the action: $(windows | paste -sd,)" shown "Dialog mit DL2BBB"
wait_for "the message window's Abbrechen cannot be pressed" press_button "Dialog mit DL2BBB" Abbrechen
wait_for "the message window stayed open" eval '! shown "Dialog mit DL2BBB"'

step="5 (the tray's Activate shows the roster window)"
shown "Zelvo Pre 2" && swaymsg '[title="^Zelvo Pre 2$"] kill' >/dev/null
wait_for "the roster window did not hide" eval '! shown "Zelvo Pre 2"'
gdbus call --session --dest "$service" --object-path "$path" \
  --method org.kde.StatusNotifierItem.Activate 100 10 >/dev/null || fail "the item refused Activate"
wait_for "no roster window after Activate" shown "Zelvo Pre 2"

step="6 (Beenden)"
quit_through_menu "$zelvo"

echo "PASS: a pop-up became a notification with the item asking for attention; the notification's action (activation tokens from mako: $token) and Activate showed the roster window, a message's action its message window"
