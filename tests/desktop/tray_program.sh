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
text="Grüße aus Köln, Bär"
step="start"
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
trap stop_all EXIT
trap 'exit 143' TERM INT HUP
fail() {
  echo "FAIL in step $step: $*"
  show_outputs
  exit 1
}
settings_values() { sed -n '/^\[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\]/,/^\r\?$/p' "$reg"; }

start_air
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,1,1,0,,208,218,"

step="1 (the icon appears in the tray)"
start_zelvo

step="2 (a left click on the icon shows the main window)"
click_icon 1
wait_for "no window \"Zelvo Pre 2\"" visible "Zelvo Pre 2"

step="3 (tray menu \"go Online\")"
choose_in_tray_menu o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"

step="4 (a click on the icon, then keys alone open the partner's message window)"
click_icon 1
main=$(visible "Zelvo Pre 2")
wait_for "the roster window did not take the keyboard focus" eval '[ "$(xdotool getactivewindow)" = "$((main))" ]'
xdotool key Home Return || fail "cannot type"
wait_for "no message window \"Dialog mit DL2BBB\" after Home and Enter" visible "Dialog mit DL2BBB"

step="5 (nothing was ever copied here: a middle click, Ctrl+V and \"Einfügen\" paste nothing)"
dialog=$(visible "Dialog mit DL2BBB")
eval "$(xdotool getwindowgeometry --shell "$dialog")"
# The input lies between the counter and the buttons at the foot of the window.
xdotool windowactivate --sync "$dialog" mousemove --window "$dialog" $((WIDTH / 2)) $((HEIGHT - 80)) \
  click 2 key ctrl+v click 3 || fail "cannot click into the input"
wait_for "no edit menu after a right click into the input (did zelvo end?)" menu_shown
# "e" would choose "Einfügen" if it were offered.
xdotool key e Escape || fail "cannot type"
wait_for "the edit menu stayed open after Escape (did zelvo end?)" eval '! menu_shown'
exited "$zelvo" && fail "zelvo ended on a paste with an empty clipboard"

step="6 (a message with Alt+S)"
xdotool windowactivate --sync "$dialog" type "$text" || fail "cannot type the text"
# The message window sends when S is let go while Alt is still held.
keys_to "Dialog mit DL2BBB" keydown alt key s keyup alt
wait_for "the partner did not receive \"$text\"" said partner "RX DL1ABC $text"
wait_for "the message window stayed open after sending" hidden "Dialog mit DL2BBB"

step="7 (Alt+R opens the entry editor, Escape closes it, the roster is saved)"
# Sending may have hidden the roster window; the icon brings it back.
click_icon 1
wait_for "no window \"Zelvo Pre 2\" after a click on the icon" visible "Zelvo Pre 2"
before=$(stat -c '%i %y' "$reg")
keys_to "Zelvo Pre 2" alt+r
wait_for "no window \"Eintrag bearbeiten\"" visible "Eintrag bearbeiten"
keys_to "Eintrag bearbeiten" Escape
wait_for "the entry editor stayed open after Escape" hidden "Eintrag bearbeiten"
wait_for "the roster file was not written" eval '[ "$(stat -c "%i %y" "$reg")" != "$before" ]'

step="8 (Alt+E opens the settings, Escape closes them, no setting changes)"
before=$(settings_values)
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Einstellungen\"" visible "Einstellungen"
keys_to "Einstellungen" Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"
[ "$(settings_values)" = "$before" ] || fail "stored settings changed: $(settings_values | tr -d '\r')"

# Long after the last click on the icon: the next one is not taken for a double click.
step="9 (minimised, the roster window comes back with a click on the icon)"
xdotool windowminimize --sync "$(visible "Zelvo Pre 2")" || fail "cannot minimise the roster window"
click_icon 1
wait_for "the minimised roster window did not come back" visible "Zelvo Pre 2"

step="10 (tray menu \"Beenden\", OK to the question)"
quit_zelvo
[ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"
wait_for "the partner did not see DL1ABC go offline" said partner "STATE DL1ABC Offline"

echo "PASS: tray icon, main window, going online, keys, empty clipboard, a message, entry editor, settings, minimised, Beenden"
