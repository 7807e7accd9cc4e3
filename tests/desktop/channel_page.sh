#!/usr/bin/env bash
# The channels set up in the windows, on a real X desktop: at a first start without any channel
# table, the settings come with the dialog "Funkkanäle", whose search finds a KISS TNC (zelvo-air)
# and an AGW server (Direwolf's AGW port, where Direwolf is installed) on free ports; "Übernehmen"
# and OK write the user's table. Later, from the settings, a channel is added in the editor, a
# port of 70000 is refused with its word, and each TNC's state shows in the list. `zelvo --check`
# reads back the table the dialog wrote.
#   scripts/with-desktop tests/desktop/channel_page.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (a program is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-channels.XXXXXX")
step="start"
[ -e /etc/zelvo/flexnet.conf ] && { echo "SKIP: /etc/zelvo/flexnet.conf exists: no first start"; exit 77; }

rows_say() { "$here/accessible_tree.py" --rows "$1" | grep -qF "$2"; }
# A port nothing listens on, below 49152 (Direwolf takes no higher one).
free_port() {
  /usr/bin/python3 -c '
import random, socket
while True:
    port = random.randrange(20000, 49152)
    try:
        socket.socket().bind(("127.0.0.1", port))
        print(port)
        break
    except OSError:
        pass'
}

setxkbmap -layout de || fail "setxkbmap cannot set the German keyboard layout"
mkdir -p "$scratch"/{zelvo,bin,driver,config,data,state,cache}
"$bin/zelvo-air" --port 0 >"$scratch/air.out" 2>&1 &
pids+=("$!")
wait_for "zelvo-air did not say its port" grep -q 'listening on 127.0.0.1:' "$scratch/air.out"
air=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/air.out")
search="kiss-tcp 127.0.0.1:$air;kiss-tcp 127.0.0.1:$(free_port)"
agw=""
if command -v direwolf >/dev/null; then
  agw=$(free_port)
  printf 'ADEVICE null null\nCHANNEL 0\nMYCALL N0CALL\nMODEM 1200\nAGWPORT %s\nKISSPORT 0\n' "$agw" >"$scratch/direwolf.conf"
  direwolf -c "$scratch/direwolf.conf" -t 0 -q d >"$scratch/direwolf.out" 2>&1 &
  pids+=("$!")
  wait_for "Direwolf did not open its AGW port" grep -q "AGW client application 0 on port $agw" "$scratch/direwolf.out"
  search="$search;agw-tcp 127.0.0.1:$agw"
else
  echo "NOTE: direwolf is not installed; the search finds the KISS TNC only"
fi
# No table anywhere: none named, none beside the driver (a copy of it here), none of the user's.
unset ZELVO_FLEXNET_CONF
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_STATE_HOME=$scratch/state \
  XDG_CACHE_HOME=$scratch/cache ZELVO_TNC_SEARCH=$search
cp "$bin/libflxapi32.so" "$scratch/driver/"
table=$scratch/config/zelvo/flexnet.conf
"$here/accessible_tree.py" "" >/dev/null 2>&1  # the accessibility bus before zelvo starts
# Only the language stored, German: a first start.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n"Sprache"="de"\r\n' \
  >"$scratch/zelvo/HKEY_CURRENT_USER.reg"

step="1 (first start: the settings and, over them, \"Funkkanäle\" with what the search found)"
ln "$bin/zelvo" "$scratch/bin/zelvo" 2>/dev/null || cp "$bin/zelvo" "$scratch/bin/zelvo"
xwininfo -id "$ZELVO_TRAY_PANEL" -children | awk '$1 ~ /^0x/ {print $1}' >"$scratch/panel-before"
ZELVO_REGISTRY_DIR=$scratch/zelvo flexnet=$scratch/driver "$scratch/bin/zelvo" >"$scratch/zelvo.out" 2>&1 &
zelvo=$!
pids+=("$zelvo")
wait_for "no new tray icon of zelvo in the panel" find_icon
wait_for "no window \"Einstellungen\" at the first start" visible "Einstellungen"
wait_for "no window \"Funkkanäle\" over the settings" visible "Funkkanäle"
wait_for "the search did not offer the KISS TNC" window_says "Funkkanäle" "KISS-TNC antwortet auf 127.0.0.1:$air"
if [ -n "$agw" ]; then
  wait_for "the search did not offer Direwolf's AGW port" window_says "Funkkanäle" "antwortet auf 127.0.0.1:$agw, ein Funkport"
fi
[ -e "$table" ] && fail "a table was written before OK"

step="2 (\"Übernehmen\" and OK write the user's table with the finds in place of the built-in channel)"
keys_to "Funkkanäle" alt+b
wait_for "the KISS TNC is not in the list" rows_say "Funkkanäle" "KISS 127.0.0.1:$air"
keys_to "Funkkanäle" Return
wait_for "the dialog stayed open after OK" hidden "Funkkanäle"
wait_for "no table $table" test -s "$table"
grep -qx "0 kiss-tcp 127.0.0.1:$air KISS 127.0.0.1:$air" "$table" || fail "no channel 0 for zelvo-air: $(cat "$table")"
if [ -n "$agw" ]; then
  grep -qx "1 agw-tcp 127.0.0.1:$agw AGW 127.0.0.1:$agw" "$table" || fail "no channel 1 for Direwolf: $(cat "$table")"
fi
grep -q '127.0.0.1:8001' "$table" && fail "the built-in channel stayed in the table: $(cat "$table")"

step="3 (the own call, OK)"
keys_to "Einstellungen" alt+m
xdotool type "dl1abc" && xdotool key Return || fail "cannot type the own call"
wait_for "the settings stayed open after OK" hidden "Einstellungen"

step="4 (from the settings: \"Funkkanäle\" shows each TNC answering, read anew by the driver)"
click_icon 1
wait_for "no window \"Zelvo Pre 2\" after a click on the icon" visible "Zelvo Pre 2"
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Einstellungen\"" visible "Einstellungen"
keys_to "Einstellungen" alt+f
wait_for "no window \"Funkkanäle\" from the settings" visible "Funkkanäle"
wait_for "channel 0 does not show its TNC answering" rows_say "Funkkanäle" "KISS 127.0.0.1:$air | antwortet"
if [ -n "$agw" ]; then
  wait_for "channel 1 does not show Direwolf answering" rows_say "Funkkanäle" "AGW 127.0.0.1:$agw | antwortet (AGW"
fi

step="5 (\"Hinzufügen\": a port of 70000 is refused with its word, a right one taken, OK saves)"
keys_to "Funkkanäle" alt+h
wait_for "no window \"Kanal hinzufügen\"" visible "Kanal hinzufügen"
keys_to "Kanal hinzufügen" alt+p
xdotool type "70000" || fail "cannot type the port"
wait_for "the port of 70000 was not named" window_says "Kanal hinzufügen" "Port 1 bis 65535"
keys_to "Kanal hinzufügen" alt+m
xdotool type "Zweiter Kanal" && xdotool key Return || fail "cannot type the name"
visible "Kanal hinzufügen" >/dev/null || fail "the editor took a port of 70000"
keys_to "Kanal hinzufügen" alt+p
xdotool type "$air" && xdotool key Return || fail "cannot type the port"
wait_for "the editor stayed open with a right port" hidden "Kanal hinzufügen"
wait_for "the new channel is not in the list" rows_say "Funkkanäle" "Zweiter Kanal"
keys_to "Funkkanäle" Return
wait_for "the dialog stayed open after OK" hidden "Funkkanäle"
wait_for "the new channel is not in the table" grep -q " kiss-tcp 127.0.0.1:$air Zweiter Kanal\$" "$table"
keys_to "Einstellungen" Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"

step="6 (the entry editor offers the new channel)"
keys_to "Zelvo Pre 2" alt+r
wait_for "no window \"Eintrag bearbeiten\"" visible "Eintrag bearbeiten"
wait_for "the entry editor does not offer the new channel" window_says "Eintrag bearbeiten" "Zweiter Kanal"
keys_to "Eintrag bearbeiten" Escape
wait_for "the entry editor stayed open" hidden "Eintrag bearbeiten"

step="7 (Beenden; zelvo --check reads the table the dialog wrote)"
quit_zelvo
ZELVO_REGISTRY_DIR=$scratch/zelvo flexnet=$scratch/driver "$scratch/bin/zelvo" --check >"$scratch/check.out" 2>&1
grep -qxF "channel table: $table" "$scratch/check.out" || fail "--check names another table: $(cat "$scratch/check.out")"
grep -q "^channel 0: kiss-tcp 127.0.0.1:$air \"KISS 127.0.0.1:$air\"" "$scratch/check.out" ||
  fail "--check does not list channel 0: $(cat "$scratch/check.out")"
grep -q "kiss-tcp 127.0.0.1:$air \"Zweiter Kanal\"" "$scratch/check.out" ||
  fail "--check does not list the added channel: $(cat "$scratch/check.out")"

echo "PASS: first start search, finds taken, channel added, wrong port refused, states shown, entry editor, --check"
