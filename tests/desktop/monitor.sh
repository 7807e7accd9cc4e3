#!/usr/bin/env bash
# The channel monitor on a real desktop: opened from the tray menu (key M), it shows a frame zelvo
# sends, one it receives and another station's connected-mode frame (a SABM that a KISS client
# puts on zelvo-air), read over the accessibility bus as a screen reader reads the table; the
# heard list names the foreign station; closed, the monitor hears nothing more.
#   scripts/with-desktop tests/desktop/monitor.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (a program is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-monitor.XXXXXX")
step="start"

# The monitor's cells, one a line: its lines, then the heard list.
cells() { "$here/window_labels.py" Monitor "table cell"; }
shows() { cells | grep -qxF "$1"; }
# The tray menu's entry KEY. Just after a window of zelvo took the focus from the closing tray
# menu, a right click on the icon opens no menu on this desktop (whichever window it is): the
# click is tried again, up to five times, a second apart.
choose_again() {
  local try
  for try in 1 2 3 4 5; do
    click_icon 3
    for _ in $(seq 20); do
      if tray_menu >/dev/null; then
        xdotool key "$1"
        wait_for "the tray menu stayed open after the key $1" eval '! tray_menu'
        return 0
      fi
      sleep 0.05
    done
  done
  fail "no tray menu after five right clicks on the icon"
}
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(($(visible "$1")))" ]; }
# A SABM (poll bit) from DL4DDD to DB0XYZ as a KISS client of zelvo-air sends it.
send_sabm() {
  /usr/bin/python3 - "$1" <<'PY' || fail "cannot send the SABM to zelvo-air"
import socket, sys
def address(call, c_bit, last):
    return bytes(ord(ch) << 1 for ch in call.ljust(6)) + bytes([(0x80 if c_bit else 0) | 0x60 | (1 if last else 0)])
frame = address("DB0XYZ", True, False) + address("DL4DDD", False, True) + b"\x3f"
with socket.create_connection(("127.0.0.1", int(sys.argv[1]))) as s:
    s.sendall(b"\xc0\x00" + frame + b"\xc0")
PY
}

start_air
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/air.out")
"$here/window_labels.py" "" >/dev/null 2>&1
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,1,1,0,,208,218,"
start_zelvo

step="1 (tray menu, key M: the window \"Monitor\")"
choose_in_tray_menu m
wait_for "no window \"Monitor\" after M in the tray menu" visible "Monitor"
# A menu opened while the window manager still moves the focus to the monitor would close again.
wait_for "the monitor did not take the keyboard focus" active_is Monitor

step="2 (zelvo goes online: its status frame is sent, Bert's answer is heard)"
choose_again o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"
wait_for "the monitor does not show the sent status" shows "Status: [Anna]<0x18>"
wait_for "the monitor does not show Bert's answer" shows "Status: [Bert]<0x19>"
cells | grep -qxF gesendet || fail "no line is marked as sent"
cells | grep -qxF gehört || fail "no line is marked as heard"

step="3 (another station's SABM)"
send_sabm "$port"
wait_for "the monitor does not show the foreign SABM" shows "SABM C P"
shows DL4DDD || fail "DL4DDD is not shown"
shows DB0XYZ || fail "DB0XYZ is not shown"

step="4 (Escape closes the monitor; opened again, a SABM sent meanwhile is not there)"
keys_to Monitor Escape
wait_for "the monitor stayed open after Escape" hidden Monitor
before=$(cells | grep -cxF "SABM C P")
send_sabm "$port"
# Bert's poll goes on the air after the SABM: once zelvo has answered it, it has heard both.
tell partner "poll DL1ABC"
wait_for "zelvo did not answer Bert's poll" said partner "STATUS Poll erfolgreich"
choose_in_tray_menu m
wait_for "no window \"Monitor\" after M in the tray menu" visible "Monitor"
[ "$(cells | grep -cxF "SABM C P")" = "$before" ] || fail "a frame sent while the monitor was closed is shown"

step="5 (tray menu \"Beenden\", Enter to the question)"
choose_again b
wait_for "no question \"Bestätigung\"" visible Bestätigung
keys_to Bestätigung Return
wait_for "zelvo did not end" exited "$zelvo"
wait "$zelvo" || fail "zelvo ended with $?"
