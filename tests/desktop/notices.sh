#!/usr/bin/env bash
# Desktop notifications against a real notification server (dunst) on the X desktop: zelvo
# (DL1ABC) gets messages from a zelvo-station partner (DL2BBB-3) over zelvo-air. What reaches
# the server is read with dbus-monitor (tests/desktop/notices.py), what it shows with dunstctl.
#   scripts/with-desktop tests/desktop/notices.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming the step), 77 skipped (dunst or xdotool is missing).
set -u
command -v dunst >/dev/null && command -v dunstctl >/dev/null && command -v dbus-monitor >/dev/null ||
  { echo "SKIP: dunst or dbus-monitor is missing (apt-get install dunst dbus)"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/desktop/steps.sh
. "$here/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-notices.XXXXXX")
step="start"

# One line per Notify, CloseNotification, ActionInvoked and Notify answer (notices.py).
notices() { "$here/notices.py" "$scratch/monitor.out"; }
notified() { notices | grep '^N|' | grep -qF "$1"; }
notify_count() { notices | grep -c '^N|'; }
shown_count() { dunstctl count displayed; }
last_id() { notices | grep '^R|' | tail -n 1 | cut -d'|' -f2; }

# start_zelvo_online: zelvo in the tray, online, the partner sees it.
start_zelvo_online() {
  start_zelvo
  local before
  before=$(grep -c '^STATE DL1ABC Online$' "$scratch/partner.out")
  choose_in_tray_menu o
  wait_for "the partner did not see DL1ABC online" \
    eval '[ "$(grep -c "^STATE DL1ABC Online$" "$scratch/partner.out")" -gt '"$before"' ]'
}

start_air
"$here/window_labels.py" "" >/dev/null 2>&1
# dunst keeps its notifications until they are closed; its name on the bus before zelvo starts.
mkdir -p "$scratch/config/dunst"
printf '[global]\n    markup = full\n[urgency_low]\n    timeout = 0\n[urgency_normal]\n    timeout = 0\n' \
  >"$scratch/config/dunst/dunstrc"
dunst >"$scratch/dunst.out" 2>&1 &
pids+=("$!")
wait_for "dunst did not take the name org.freedesktop.Notifications" eval \
  'gdbus call --session --dest org.freedesktop.DBus --object-path / --method org.freedesktop.DBus.NameHasOwner org.freedesktop.Notifications | grep -q true'
dbus-monitor --session "interface='org.freedesktop.Notifications'" "type='method_return'" >"$scratch/monitor.out" 2>&1 &
pids+=("$!")
wait_for "dbus-monitor did not start" grep -q 'NameAcquired\|member=' "$scratch/monitor.out"
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,0,1,0,,208,218,"

step="1 (a message: its sender and text, escaped for the server's markup, with \"Öffnen\")"
start_zelvo_online
tell partner "msg DL1ABC Erste <b>Nachricht</b> & 73"
wait_for "no notification of the message: $(notices | paste -sd' ')" notified "|DL2BBB (Bert)|Erste &lt;b&gt;Nachricht&lt;/b&gt; &amp; 73|"
line=$(notices | grep '^N|' | tail -n 1)
[[ $line == "N|0|Zelvo|zelvo|"*"|default,open|"* ]] || fail "not a new notification of Zelvo with \"Öffnen\": $line"
[[ $line == *"desktop-entry=string \"org.zelvo.Zelvo\""* && $line == *"urgency=byte 1"* ]] ||
  fail "the hints are not Zelvo's desktop entry and normal urgency: $line"
wait_for "dunst does not show one notification: $(shown_count)" eval '[ "$(shown_count)" = 1 ]'
[ "$(notify_count)" = 1 ] || fail "the station coming online was notified, though that is off: $(notices | paste -sd' ')"

step="2 (a second message replaces the notification, showing both texts)"
first=$(last_id)
tell partner "msg DL1ABC Zweite"
wait_for "no second notification: $(notices | paste -sd' ')" notified "|Erste &lt;b&gt;Nachricht&lt;/b&gt; &amp; 73\\nZweite|"
line=$(notices | grep '^N|' | tail -n 1)
[ "$(echo "$line" | cut -d'|' -f2)" = "$first" ] || fail "the second notification does not replace $first: $line"
[ "$(shown_count)" = 1 ] || fail "dunst shows $(shown_count) notifications, not one"

step="3 (the message window opened from the roster withdraws the notification; open, it shows the next text alone)"
click_icon 1
main=$(visible "Zelvo Pre 2")
wait_for "the roster window did not take the keyboard focus" eval '[ "$(xdotool getactivewindow)" = "$((main))" ]'
xdotool key Home Return || fail "cannot type"
wait_for "no message window \"Dialog mit DL2BBB\"" visible "Dialog mit DL2BBB"
wait_for "the notification was not closed: $(notices | paste -sd' ')" eval 'notices | grep -qx "C|$first"'
wait_for "dunst still shows the notification" eval '[ "$(shown_count)" = 0 ]'
# The open window shows the next text itself: no notification (checked with the next one's).
tell partner "msg DL1ABC Zwischendurch"
wait_for "the message window does not show the next text" window_says "Dialog mit DL2BBB" "Zwischendurch"
keys_to "Dialog mit DL2BBB" Escape
wait_for "the message window stayed open after Escape" hidden "Dialog mit DL2BBB"

step="4 (a third message is a new notification; its \"Öffnen\" opens the message window)"
tell partner "msg DL1ABC Dritte"
wait_for "no notification of the third message: $(notices | paste -sd' ')" notified "|DL2BBB (Bert)|Dritte|"
[ "$(notices | grep '^N|' | tail -n 1 | cut -d'|' -f2)" = 0 ] || fail "the withdrawn notification was replaced"
notified "Zwischendurch" && fail "a text shown in its open message window was notified"
wait_for "dunst does not show the third message" eval '[ "$(shown_count)" = 1 ]'
third=$(last_id)
# As a click on the notification: dunst invokes its default action.
dunstctl action 0 || fail "dunstctl cannot invoke the action"
wait_for "dunst sent no ActionInvoked: $(notices | paste -sd' ')" eval 'notices | grep -q "^A|$third|"'
wait_for "\"Öffnen\" opened no message window" visible "Dialog mit DL2BBB"
wait_for "the notification stayed open once its window opened" eval 'notices | grep -qx "C|$third"'
keys_to "Dialog mit DL2BBB" Escape
wait_for "the message window stayed open after Escape" hidden "Dialog mit DL2BBB"

step="5 (switched off, a message is not notified; a station going offline is, once switched on)"
quit_zelvo
[ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"
{
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\Events]\r\n'
  for n in $(seq 0 10); do
    printf '"%d-CWtext"=""\r\n"%d-Wave"="<keine>"\r\n"%d-Speed"=dword:0000000a\r\n' "$n" "$n" "$n"
    printf '"%d-Options"=dword:00000012\r\n"%d-Notify"=dword:%08x\r\n' "$n" "$n" "$([ "$n" = 3 ] && echo 1 || echo 0)"
  done
  printf '"TNC-Notify"=dword:00000001\r\n'
} >>"$reg"
count=$(notify_count)
start_zelvo_online
tell partner "msg DL1ABC Vierte"
wait_for "zelvo did not acknowledge the fourth message" eval 'grep -q "Vierte" "$scratch/partner.out"'
tell partner offline
wait_for "no notification of DL2BBB going offline: $(notices | paste -sd' ')" notified "|DL2BBB (Bert)|ist Offline|"
line=$(notices | grep '^N|' | tail -n 1)
[[ $line == *"urgency=byte 0"* ]] || fail "a station's state is not of low urgency: $line"
[ "$(notify_count)" = $((count + 1)) ] || fail "a message was notified though switched off: $(notices | tail -n 3 | paste -sd' ')"

step="6 (switched on, a TNC that stops answering is notified, and withdrawn once it answers again)"
air_port=$(sed -n 's/.*127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/flexnet.conf")
kill "${pids[0]}" && wait "${pids[0]}" 2>/dev/null
wait_for "no notification of the lost TNC" notified "|TNC nicht erreichbar|Kanal 0"
lost=$(last_id)
"$bin/zelvo-air" --port "$air_port" >"$scratch/air.out" 2>&1 &
pids[0]=$!
wait_for "the lost TNC's notification stayed with the TNC back" eval 'notices | grep -qx "C|$lost"'
quit_zelvo
[ "$code" -eq 0 ] || fail "zelvo ended with exit code $code"

echo "PASS: a message's notification with sender, escaped text and \"Öffnen\", replaced by the next, withdrawn by the message window, \"Öffnen\" opens it, switched off per event; a lost TNC notified and withdrawn"
