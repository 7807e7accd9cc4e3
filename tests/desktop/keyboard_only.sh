#!/usr/bin/env bash
# The roster window without a mouse, as a blind user drives it with a screen reader: every step
# is a key (xdotool key/type to the focused window); the one click is the right click that opens
# the tray menu, since a tray icon takes no keys. What the steps check is read over the
# accessibility bus (AT-SPI), as the screen reader reads it. zelvo (DL1ABC) talks over zelvo-air
# to a zelvo-station partner (DL2BBB-3, "Bert").
#   scripts/with-desktop tests/desktop/keyboard_only.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (a program is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-keys.XXXXXX")
text="Hallo Bert, nur mit Tasten"
answer="Antwort von Bert"
step="start"
fail() {
  echo "FAIL in step $step: $*"
  echo "--- focus: $(focused)"
  show_outputs
  exit 1
}

# What the screen reader reads where the keyboard focus is: "role: name" of zelvo's focused object.
focused() {
  /usr/bin/python3 - <<'PY' 2>/dev/null
import pyatspi
# The innermost focused object: a list has the focus, its current cell too.
def find(node, depth=0):
    if node is None or depth > 12:
        return None
    for child in node:
        hit = find(child, depth + 1)
        if hit is not None:
            return hit
    return node if node.getState().contains(pyatspi.STATE_FOCUSED) else None
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "zelvo":
        for window in app:
            if window is not None and window.getState().contains(pyatspi.STATE_ACTIVE):
                hit = find(window)
                if hit is not None:
                    print("%s: %s" % (hit.getRoleName(), hit.name))
PY
}
focus_is() { [ "$(focused)" = "$1" ]; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($(visible "$1")))" ]; }
press() { xdotool key "$@" || fail "cannot type $*"; }

start_air
# The accessibility bus must be there before zelvo starts, or zelvo does not register on it.
"$here/window_labels.py" "" >/dev/null 2>&1
start_partner partner DL2BBB-3 Bert
# Carl first: the arrow key goes down to Bert.
write_settings 3 "Carl,0,DL3CCC,1,1,0,,208,218," "Bert,0,DL2BBB-3,1,1,0,,208,218,"
start_zelvo

step="1 (tray menu, key S: the roster window comes with the focus on the first station)"
open_tray_menu
press s
wait_for "no window \"Zelvo Pre 2\" after S in the tray menu" visible "Zelvo Pre 2"
wait_for "the roster window did not take the keyboard focus" active_is "Zelvo Pre 2"
wait_for "the screen reader does not read the first station" focus_is "table cell: DL3CCC, Offline"

step="2 (Alt+O goes online, the partner answers, the station list says so)"
press alt+o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"
wait_for "the roster window does not say that Bert is online" window_says "Zelvo Pre 2" "DL2BBB, Online"

step="3 (Down, then Enter opens the message window of Bert)"
press Down
wait_for "Down did not move to Bert" focus_is "table cell: DL2BBB, Online"
press Return
wait_for "no message window \"Dialog mit DL2BBB\" after Enter" visible "Dialog mit DL2BBB"
wait_for "the message window did not take the keyboard focus" active_is "Dialog mit DL2BBB"

step="4 (typed text, Alt+S sends it)"
xdotool type "$text" || fail "cannot type the text"
# The message window sends when S is let go while Alt is still held.
press keydown alt key s keyup alt
wait_for "the partner did not receive \"$text\"" said partner "RX DL1ABC $text"
wait_for "the message window stayed open after sending" hidden "Dialog mit DL2BBB"

step="5 (the partner answers: the status bar announces it)"
tell partner "msg DL1ABC $answer"
wait_for "the status bar did not say \"Msg eingetroffen\"" window_says "Zelvo Pre 2" "Meldung: Msg eingetroffen"

step="6 (tray menu again, Enter on Bert reads the answer, Escape closes)"
open_tray_menu
press s
wait_for "the roster window did not take the keyboard focus" active_is "Zelvo Pre 2"
wait_for "the focus is not on Bert, unread" focus_is "table cell: DL2BBB, Online, ungelesen"
press Return
wait_for "no message window \"Dialog mit DL2BBB\" after Enter" visible "Dialog mit DL2BBB"
wait_for "the answer cannot be read in the message window" window_says "Dialog mit DL2BBB" "$answer"
wait_for "the message window did not take the keyboard focus" active_is "Dialog mit DL2BBB"
press Escape
wait_for "the message window stayed open after Escape" hidden "Dialog mit DL2BBB"

step="7 (Alt+E opens the settings, Escape leaves them, the focus comes back to Bert)"
open_tray_menu
press s
wait_for "the roster window did not take the keyboard focus" active_is "Zelvo Pre 2"
press alt+e
wait_for "no window \"Einstellungen\" after Alt+E" visible "Einstellungen"
wait_for "the settings did not take the keyboard focus" active_is "Einstellungen"
press Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"
wait_for "the focus did not come back to the roster window" active_is "Zelvo Pre 2"
wait_for "the focus did not come back to Bert" focus_is "table cell: DL2BBB, Online"

step="8 (Shift+F10 opens the station menu, Escape closes it; a question's Escape returns the focus)"
press shift+F10
wait_for "no station menu after Shift+F10" menu_shown
press Escape
wait_for "the station menu stayed open after Escape" eval '! menu_shown'
press alt+l
wait_for "no question \"Bestätigung\" after Alt+L" visible "Bestätigung"
press Escape
wait_for "the question stayed open after Escape" hidden "Bestätigung"
wait_for "the focus did not come back to the roster window" active_is "Zelvo Pre 2"
wait_for "the focus did not come back to Bert" focus_is "table cell: DL2BBB, Online"
said partner "DELETED DL1ABC" && fail "Escape on the question deleted the entry"

step="9 (tray menu \"Beenden\", Enter to the question)"
quit_zelvo
[ "$code" = 0 ] || fail "zelvo ended with $code"
echo "PASS: the roster window, the message window and the settings with keys alone"
