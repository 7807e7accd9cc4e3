#!/usr/bin/env bash
# What Orca says, heard: Orca runs on the desktop with speech-dispatcher (its dummy output, no
# sound device), and each step checks the sentences Orca spoke for it, as Orca logs them
# ("SPEECH OUTPUT: '...'"). zelvo (DL1ABC) has Carl (DL3CCC, never on the air) above a
# zelvo-station partner (DL2BBB-3, "Bert"); every step is a key, but for the clicks on the tray
# icon, which takes no keys.
#   scripts/with-desktop tests/desktop/orca.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step and what Orca said), 77 skipped (orca,
# speech-dispatcher or another program is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
for program in orca speech-dispatcher unshare; do
  command -v "$program" >/dev/null || {
    echo "SKIP: $program is missing (apt-get install orca speech-dispatcher)"
    exit 77
  }
done
[ -x /usr/lib/speech-dispatcher-modules/sd_dummy ] ||
  { echo "SKIP: speech-dispatcher's dummy output module is missing"; exit 77; }
# Orca ends every other Orca of its user when started with --replace, and refuses to start beside
# one without it: here it runs alone in a process namespace (as root, or mapped to the own user).
namespace=(unshare --pid --fork --mount-proc --kill-child=TERM)
[ "$(id -u)" = 0 ] || namespace+=(--map-current-user)
"${namespace[@]}" true 2>/dev/null ||
  { echo "SKIP: no process namespace of its own for Orca (unshare --pid is not allowed here)"; exit 77; }
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-orca.XXXXXX")
message="Hallo Anna, hier Bert"
step="start"
speech=$scratch/orca-debug.log
fail() {
  echo "FAIL in step $step: $*"
  echo "--- Orca said in this step:"
  spoken
  show_outputs
  exit 1
}

# Orca writes its debug file through a buffer, so that a sentence may reach it long after it was
# spoken (or at Orca's end); opened line-buffered, each line is there when it is spoken, and a step
# waits for what it expects. Speech goes to speech-dispatcher's dummy module and ALSA's null
# device: no sound card needed.
orca=""
orca_ns=""
start_orca() {
  mkdir -p "$scratch/orca" "$XDG_CONFIG_HOME/speech-dispatcher"
  printf '%s\n' 'AddModule "dummy" "sd_dummy" ""' 'DefaultModule dummy' 'AudioOutputMethod "alsa"' \
    'AudioALSADevice "null"' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
  # Orca's own words ("Screen reader on") in English, whatever the locale.
  LC_ALL=C.UTF-8 "${namespace[@]}" /usr/bin/python3 -c '
import builtins, runpy, sys
debug_file, prefs = sys.argv[1:]
plain_open = builtins.open
def open_line_buffered(file, mode="r", *args, **kwargs):
    if file == debug_file:
        return plain_open(file, mode, 1)
    return plain_open(file, mode, *args, **kwargs)
builtins.open = open_line_buffered
sys.argv = ["orca", "-u", prefs, "--debug-file=" + debug_file]
runpy.run_path("/usr/bin/orca", run_name="__main__")
' "$speech" "$scratch/orca" >"$scratch/orca.out" 2>&1 &
  orca_ns=$!
  wait_for "Orca did not say that it runs" grep -q "SPEECH OUTPUT: 'Screen reader on" "$speech"
  # The namespace's first process is Orca, seen from here as unshare's child.
  orca=$(tr -dc 0-9 <"/proc/$orca_ns/task/$orca_ns/children")
}
# Orca ends on SIGTERM, and the namespace with its speech-dispatcher along; KILL after 15 s.
stop_orca() {
  [ -n "$orca" ] || return 0
  kill -TERM "$orca" 2>/dev/null
  for _ in $(seq 300); do
    exited "$orca_ns" && break
    sleep 0.05
  done
  exited "$orca_ns" || kill -KILL "$orca" "$orca_ns" 2>/dev/null
  wait "$orca_ns" 2>/dev/null
  orca=""
}
trap 'stop_orca; stop_all' EXIT

# The sentences Orca spoke since the step began, one a line; `says TEXT` holds once one of them
# holds TEXT.
mark=0
begin() {
  step=$1
  mark=$(stat -c %s "$speech")
}
# A sentence is logged as "HH:MM:SS.micro - SPEECH OUTPUT: 'TEXT'" and the voice ("{...}" or
# "None"); a text with a line break goes on over the next lines, indented.
spoken() {
  [ -e "$speech" ] || return 0
  tail -c +$((mark + 1)) "$speech" | /usr/bin/python3 -c '
import re, sys
for text in re.findall(r"^[0-9:.]+ - SPEECH OUTPUT: \x27(.*?)\x27 ?(?:\{.*?\}|None)$", sys.stdin.buffer.read().decode("utf-8", "replace"), re.M | re.S):
    print(" ".join(text.split()))
'
}
says() { spoken | grep -qF "$1"; }
hears() { wait_for "Orca did not say \"$1\"" says "$1"; }
press() { xdotool key "$@" || fail "cannot type $*"; }

start_air
# The accessibility bus must be there before zelvo starts, or zelvo does not register on it.
"$here/window_labels.py" "" >/dev/null 2>&1
start_partner partner DL2BBB-3 Bert
write_settings 3 "Carl,0,DL3CCC,1,1,0,,208,218," "Bert,0,DL2BBB-3,1,1,0,,208,218,"
start_zelvo
start_orca

begin "1 (a click on the tray icon: the roster window says its current station)"
click_icon 1
hears "DL3CCC, Offline."
# The status shown before the window was is not news.
says "bereit" && fail "Orca read an old status when the window appeared"

begin "2 (Down and Up: each station with its state)"
press Down
hears "DL2BBB, Offline."
begin "2 (Up)"
press Up
hears "DL3CCC, Offline."

begin "3 (Alt+O: online, Bert answers)"
press alt+o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"
hears "Bert ist Online"

begin "4 (Bert sends a message)"
tell partner "msg DL1ABC $message"
hears "Msg eingetroffen"

begin "5 (Down to Bert, Enter: the message window's fields, the unread text with the input)"
press Down
hears "DL2BBB, Online, ungelesen."
press Return
hears "Dialog mit DL2BBB"
hears "Zeichen übrig: 255"
hears "Neu von DL2BBB: $message. Der Text, der gesendet wird; Alt+S sendet ihn"

begin "6 (Shift+Tab twice: the history's last text)"
press shift+Tab
hears "Nachricht an alle senden"
press shift+Tab
hears "$message"

begin "7 (Escape: back in the roster window, at Bert)"
press Escape
hears "DL2BBB, Online."

begin "8 (Alt+F4 hides the window, the tray menu's \"Stationsliste\" brings it back at Bert)"
press alt+F4
wait_for "the roster window stayed after Alt+F4" hidden "Zelvo Pre 2"
open_tray_menu
press s
hears "DL2BBB, Online."
says "Msg eingetroffen" && fail "Orca announced the message again when the window came back"

# Orca first: ended just after the program it was reading, Orca 43 may hang in its own end.
begin "9 (Orca ends, then zelvo with the tray menu's \"Beenden\")"
stop_orca
grep -q "SPEECH OUTPUT: 'Screen reader off" "$speech" || fail "Orca did not end as asked"
quit_zelvo
[ "$code" = 0 ] || fail "zelvo ended with $code"
echo "PASS: Orca speaks the roster window's current station whenever it appears, each station on the arrow keys, the announcements and the message window"
