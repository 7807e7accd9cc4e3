#!/usr/bin/env bash
# The windowed program end to end on a real X desktop, driven like a user with xdotool: zelvo
# (DL1ABC) in the tray talks over zelvo-air to a zelvo-station partner (DL2BBB-3).
#   scripts/with-desktop tests/desktop/tray_program.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (xdotool is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-e2e.XXXXXX")
text="Grüße aus Köln, Bär"
step="start"
status_labels() { "$(dirname "$0")/window_labels.py" "Zelvo Pre 2"; }
status_says() { status_labels | grep -q "$1"; }
icon_shows() { [ "$("$(dirname "$0")/icon_badge.py" "$icon")" = "$1" ]; }
settings_values() { sed -n '/^\[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\]/,/^\r\?$/p' "$reg"; }

start_air
# The accessibility bus must be there before zelvo starts, or zelvo does not register on it.
"$(dirname "$0")/window_labels.py" "" >/dev/null 2>&1
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,1,1,0,,208,218,"

step="1 (the icon appears in the tray)"
start_zelvo

step="2 (a left click on the icon shows the main window, the TNC answers)"
click_icon 1
wait_for "no window \"Zelvo Pre 2\"" visible "Zelvo Pre 2"
wait_for "the status bar cannot be read over the accessibility bus" status_says "QRV"
status_says "nicht erreichbar" && fail "the status bar warns of a TNC that answers: $(status_labels)"

step="3 (tray menu \"go Online\")"
choose_in_tray_menu o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"

step="4 (a click on the icon, then keys alone open the partner's message window)"
click_icon 1
main=$(visible "Zelvo Pre 2")
# Enter on a station still offline polls it: the partner's answer has to be in first.
wait_for "the roster window does not show DL2BBB online" window_says "Zelvo Pre 2" "DL2BBB, Online"
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

step="8 (Alt+E opens the settings, an own call that is no call is refused, Escape closes them)"
before=$(settings_values)
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Einstellungen\"" visible "Einstellungen"
# The settings open with the page tabs focused, at the page last shown: Left to the first page.
keys_to "Einstellungen" Left Left alt+m
xdotool type "dl9zzz-16" && xdotool key Return || fail "cannot type the own call"
wait_for "no error box for the own call DL9ZZZ-16" visible "Fehler"
keys_to "Fehler" Return
wait_for "the error box stayed open" hidden "Fehler"
visible "Einstellungen" >/dev/null || fail "the settings closed on an own call that is no call"
keys_to "Einstellungen" Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"
[ "$(settings_values)" = "$before" ] || fail "stored settings changed: $(settings_values | tr -d '\r')"

# Long after the last click on the icon: the next one is not taken for a double click.
step="9 (minimised, the roster window comes back with a click on the icon)"
xdotool windowminimize --sync "$(visible "Zelvo Pre 2")" || fail "cannot minimise the roster window"
click_icon 1
wait_for "the minimised roster window did not come back" visible "Zelvo Pre 2"

step="10 (the TNC goes away: the status bar and the icon's badge say so, and no more once it is back)"
icon_shows plain || fail "the tray icon shows the lost-TNC badge while the TNC answers"
air_port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/flexnet.conf")
kill "${pids[0]}" && wait "${pids[0]}" 2>/dev/null
wait_for "the status bar did not say that the TNC does not answer" status_says "TNC nicht erreichbar"
wait_for "the tray icon shows no badge while online without a TNC" icon_shows badge
"$bin/zelvo-air" --port "$air_port" >"$scratch/air.out" 2>&1 &
pids[0]=$!
wait_for "the status bar still warns with the TNC back" eval '! status_says "nicht erreichbar"'
wait_for "the tray icon keeps the badge with the TNC back" icon_shows plain

step="11 (tray menu \"Beenden\", OK to the question)"
quit_zelvo
[ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"
wait_for "the partner did not see DL1ABC go offline" said partner "STATE DL1ABC Offline"

step="12 (without a stored choice, under LANG=en_US.UTF-8 the windows speak English)"
sed -i '/^"Sprache"=/d' "$reg"
LANG=en_US.UTF-8 LANGUAGE="" LC_ALL="" LC_MESSAGES="" start_zelvo
click_icon 1
wait_for "no window \"Zelvo Pre 2\"" visible "Zelvo Pre 2"
wait_for "the status bar is not English: $(status_labels)" status_says "F1 for help"
choose_in_tray_menu o
wait_for "the partner did not see DL1ABC online again" eval '[ "$(grep -c "^STATE DL1ABC Online$" "$scratch/partner.out")" -ge 2 ]'
click_icon 1
main=$(visible "Zelvo Pre 2")
wait_for "the roster window does not show DL2BBB online" window_says "Zelvo Pre 2" "DL2BBB, Online"
wait_for "the roster window did not take the keyboard focus" eval '[ "$(xdotool getactivewindow)" = "$((main))" ]'
xdotool key Home Return || fail "cannot type"
wait_for "no message window \"Messages with DL2BBB\" after Home and Enter" visible "Messages with DL2BBB"
keys_to "Messages with DL2BBB" Escape
wait_for "the message window stayed open after Escape" hidden "Messages with DL2BBB"
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Settings\" after Alt+E" visible "Settings"
keys_to "Settings" Escape
wait_for "the settings stayed open after Escape" hidden "Settings"
choose_in_tray_menu q
wait_for "no question \"Confirm\" after \"Quit\" in the tray menu" visible "Confirm"
buttons=$("$(dirname "$0")/window_labels.py" Confirm "push button" | sort | paste -sd,)
[ "$buttons" = "Cancel,OK" ] || fail "the question's buttons are not English: $buttons"
keys_to "Confirm" Return
wait_for "zelvo did not end" exited "$zelvo"
grep -q '^"Sprache"=' "$reg" && fail "a language was stored without a choice"

echo "PASS: tray icon, main window, going online, keys, empty clipboard, a message, entry editor, settings and the own call, minimised, the TNC away and back (status bar and badge), Beenden, English"
