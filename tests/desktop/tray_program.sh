#!/usr/bin/env bash
# The windowed program end to end on a real X desktop, driven like a user with xdotool: zelvo
# (DL1ABC) in the tray talks over zelvo-air to a zelvo-station partner (DL2BBB-3).
#   scripts/with-desktop tests/desktop/tray_program.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (xdotool is missing).
set -u
[ $# -eq 1 ] || { echo "usage: scripts/with-desktop $0 BIN_DIR" >&2; exit 2; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is missing (apt-get install xdotool)"; exit 77; }
[ -n "${ZELVO_TRAY_PANEL:-}" ] || { echo "run me under scripts/with-desktop" >&2; exit 2; }
bin=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-e2e.XXXXXX")
reg=$scratch/a/HKEY_CURRENT_USER.reg
text="Grüße aus Köln, Bär"
pids=()
step="start"

stop_all() {
  exec 3>&-
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$scratch"
}
trap stop_all EXIT
trap 'exit 143' TERM INT HUP

fail() {
  echo "FAIL in step $step: $*"
  for out in air partner zelvo; do
    echo "--- last lines of $out:"
    tail -n 15 "$scratch/$out.out"
  done
  echo "--- windows on screen:"
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    echo "$w $(xdotool getwindowname "$w" 2>/dev/null)"
  done
  exit 1
}

# Polls a condition every 50 ms for up to 20 s.
wait_for() {
  local what=$1; shift
  for _ in $(seq 400); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  fail "$what (after 20 s)"
}

visible() { xdotool search --onlyvisible --name "^$1\$" | head -n 1; }
hidden() { [ -z "$(visible "$1")" ]; }
partner_said() { grep -qxF "$1" "$scratch/partner.out"; }
# Brings a window to the front with the keyboard focus, then types keys into it.
keys_to() {
  local window
  window=$(visible "$1")
  [ -n "$window" ] || fail "no window \"$1\" to type into"
  xdotool windowactivate --sync "$window" key "${@:2}" || fail "xdotool could not type into \"$1\""
}
settings_values() { sed -n '/^\[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\]/,/^\r\?$/p' "$reg"; }

# The tray icon is the program's window inside a child of the panel that came with it.
icon=""
find_icon() {
  local child
  for child in $(xwininfo -id "$ZELVO_TRAY_PANEL" -children | awk '$1 ~ /^0x/ {print $1}'); do
    grep -qx "$child" "$scratch/panel-before" && continue
    icon=$(xwininfo -id "$child" -tree | awk '/\("zelvo" "zelvo"\)/ {print $1; exit}')
    [ -n "$icon" ] && xwininfo -id "$icon" | grep -q 'Map State: IsViewable' && return 0
  done
  return 1
}
click_icon() { xdotool mousemove --window "$icon" 8 8 click "$1" || fail "cannot click the tray icon"; }
# Qt's tray menu is an override-redirect window of the program beside the (equally
# override-redirect) icon.
tray_menu() {
  local window
  for window in $(xdotool search --onlyvisible --class '^zelvo$'); do
    [ $((window)) -eq $((icon)) ] && continue
    xwininfo -id "$window" -stats | grep -q 'Override Redirect State: yes' && return 0
  done
  return 1
}
choose_in_tray_menu() {
  click_icon 3
  wait_for "no tray menu after a right click on the icon" tray_menu
  xdotool key "$1"
  wait_for "the tray menu stayed open after the key $1" eval '! tray_menu'
}
exited() { [ ! -e "/proc/$1" ] || [ "$(sed 's/.*) //' "/proc/$1/stat" | cut -d' ' -f1)" = Z ]; }

# The umlauts are keys of the German layout; xdotool's stand-in keys for missing ones are
# unreliable.
setxkbmap -layout de || fail "setxkbmap cannot set the German keyboard layout"

# The simulated channel on a free port, and the driver's channel table for it.
"$bin/zelvo-air" --port 0 >"$scratch/air.out" 2>&1 &
pids+=($!)
wait_for "zelvo-air did not say its port" grep -q 'listening on 127.0.0.1:' "$scratch/air.out"
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/air.out")
echo "0 kiss-tcp 127.0.0.1:$port Simulation" >"$scratch/flexnet.conf"
mkdir -p "$scratch"/{a,b,bin,config,data,state,cache}
export ZELVO_FLEXNET_CONF=$scratch/flexnet.conf XDG_CONFIG_HOME=$scratch/config \
  XDG_DATA_HOME=$scratch/data XDG_STATE_HOME=$scratch/state XDG_CACHE_HOME=$scratch/cache

# The partner, online, with DL1ABC on its roster; it reads commands from fd 3.
mkfifo "$scratch/partner.in"
ZELVO_REGISTRY_DIR=$scratch/b "$bin/zelvo-station" --mycall DL2BBB-3 --alias Bert --register yes \
  --log "$scratch/b/Zelvo.log" <"$scratch/partner.in" >"$scratch/partner.out" 2>&1 &
pids+=($!)
exec 3>"$scratch/partner.in"
printf 'add DL1ABC\nonline\n' >&3
wait_for "the partner did not go online" partner_said "SELF online qrv"

# zelvo logs beside its program file: a link (or copy) in the scratch directory keeps the build's
# bin directory clean; the driver comes from the build.
ln "$bin/zelvo" "$scratch/bin/zelvo" 2>/dev/null || cp "$bin/zelvo" "$scratch/bin/zelvo"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n"Mycall"="DL1ABC"\r\n%s\r\n%s\r\n%s\r\n\r\n%s\r\n%s\r\n' \
  '"Alias"="Anna"' '"Options"=dword:000000f7' '"ShowAlias"=dword:00000003' \
  '[HKEY_CURRENT_USER\Software\Varkel\Zelvo\User]' '"0"="Bert,0,DL2BBB-3,1,1,0,,208,218,"' >"$reg"
xwininfo -id "$ZELVO_TRAY_PANEL" -children | awk '$1 ~ /^0x/ {print $1}' >"$scratch/panel-before"
ZELVO_REGISTRY_DIR=$scratch/a flexnet=$bin "$scratch/bin/zelvo" >"$scratch/zelvo.out" 2>&1 &
zelvo=$!
pids+=($zelvo)

step="1 (the icon appears in the tray)"
wait_for "no new tray icon of zelvo in the panel" find_icon

step="2 (a left click on the icon shows the main window)"
click_icon 1
wait_for "no window \"Zelvo Pre 2\"" visible "Zelvo Pre 2"

step="3 (tray menu \"go Online\")"
choose_in_tray_menu o
wait_for "the partner did not see DL1ABC online" partner_said "STATE DL1ABC Online"

step="4 (Alt+N on the partner's row, a message with Alt+S)"
main=$(visible "Zelvo Pre 2")
xdotool windowactivate --sync "$main" mousemove --window "$main" 40 32 click 1 || fail "cannot click the row"
keys_to "Zelvo Pre 2" alt+n
wait_for "no message window \"Dialog mit DL2BBB\"" visible "Dialog mit DL2BBB"
xdotool windowactivate --sync "$(visible "Dialog mit DL2BBB")" type "$text" || fail "cannot type the text"
# The message window sends when S is let go while Alt is still held.
keys_to "Dialog mit DL2BBB" keydown alt key s keyup alt
wait_for "the partner did not receive \"$text\"" partner_said "RX DL1ABC $text"
wait_for "the message window stayed open after sending" hidden "Dialog mit DL2BBB"

step="5 (Alt+R opens the entry editor, Escape closes it, the roster is saved)"
# Sending may have hidden the roster window; the icon brings it back.
click_icon 1
wait_for "no window \"Zelvo Pre 2\" after a click on the icon" visible "Zelvo Pre 2"
before=$(stat -c '%i %y' "$reg")
keys_to "Zelvo Pre 2" alt+r
wait_for "no window \"Eintrag bearbeiten\"" visible "Eintrag bearbeiten"
keys_to "Eintrag bearbeiten" Escape
wait_for "the entry editor stayed open after Escape" hidden "Eintrag bearbeiten"
wait_for "the roster file was not written" eval '[ "$(stat -c "%i %y" "$reg")" != "$before" ]'

step="6 (Alt+E opens the settings, Escape closes them, no setting changes)"
before=$(settings_values)
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Einstellungen\"" visible "Einstellungen"
keys_to "Einstellungen" Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"
[ "$(settings_values)" = "$before" ] || fail "stored settings changed: $(settings_values | tr -d '\r')"

step="7 (tray menu \"Beenden\", OK to the question)"
choose_in_tray_menu b
wait_for "no question \"Bestätigung\"" visible "Bestätigung"
keys_to "Bestätigung" Return
wait_for "zelvo did not end" exited "$zelvo"
wait "$zelvo"
code=$?
unset 'pids[-1]'
[ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"
wait_for "the partner did not see DL1ABC go offline" partner_said "STATE DL1ABC Offline"

echo "PASS: tray icon, main window, going online, a message, entry editor, settings, Beenden"
