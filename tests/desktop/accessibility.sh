#!/usr/bin/env bash
# The windows as Orca reads them: zelvo (DL1ABC) with a zelvo-station partner online (DL2BBB-3)
# and one that stays offline (DL5EEE), read over the accessibility bus (AT-SPI). Every control a
# user reaches with the keyboard in the roster window, the message window, the entry editor and
# the three pages of the settings must have a name, and each roster row must say its station's
# state in words, not only as a picture.
#   scripts/with-desktop tests/desktop/accessibility.sh BIN_DIR
# Exit status: 0 passed, 1 failed (naming each control or row), 77 skipped (a program is missing).
set -u
# shellcheck source=tests/desktop/steps.sh
. "$(dirname "$0")/steps.sh"
begin_desktop_test "$@"
bin=$(cd "$1" && pwd)
here=$(dirname "$0")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zelvo-a11y.XXXXXX")
step="start"
# What a screen reader would miss is gathered over all windows and told at the end.
problems=()
tree() { "$here/accessible_tree.py" "$@"; }
shows() { tree "$1" | grep -qF "$2"; }
# check_names TITLE: every keyboard stop of the window has a name.
check_names() {
  local line
  wait_for "the window \"$1\" cannot be read over the accessibility bus" tree "$1"
  while IFS= read -r line; do
    problems+=("\"$1\": $line")
  done < <(tree --unnamed "$1")
}
# A row says its state when one of its cells' names or descriptions names it.
rows_without_state() { tree --rows "Zelvo Pre 2" | grep -viE 'online|away|offline|ungelesen'; }
rows_say_states() { [ -n "$(tree --rows "Zelvo Pre 2")" ] && [ -z "$(rows_without_state)" ]; }

start_air
# The accessibility bus must be there before zelvo starts, or zelvo does not register on it.
tree "" >/dev/null 2>&1
start_partner partner DL2BBB-3 Bert
write_settings 3 "Bert,0,DL2BBB-3,1,1,0,,208,218," "Emil,0,DL5EEE,1,1,0,,208,218,"
start_zelvo

step="1 (the roster window, online, with Bert online and Emil offline)"
click_icon 1
wait_for "no window \"Zelvo Pre 2\"" visible "Zelvo Pre 2"
choose_in_tray_menu o
wait_for "the partner did not see DL1ABC online" said partner "STATE DL1ABC Online"
check_names "Zelvo Pre 2"
# Bert's answer may take a moment; his row says a state all along (Offline, then Online).
for _ in $(seq 20); do
  rows_say_states && break
  sleep 0.05
done
rows_say_states || problems+=("\"Zelvo Pre 2\": a row says no state in words: $(rows_without_state | paste -sd';')")

step="2 (the message window to Bert)"
click_icon 1
main=$(visible "Zelvo Pre 2")
wait_for "the roster window did not take the keyboard focus" eval '[ "$(xdotool getactivewindow)" = "$((main))" ]'
xdotool key Home Return || fail "cannot type"
wait_for "no message window \"Dialog mit DL2BBB\" after Home and Enter" visible "Dialog mit DL2BBB"
check_names "Dialog mit DL2BBB"
keys_to "Dialog mit DL2BBB" Escape
wait_for "the message window stayed open after Escape" hidden "Dialog mit DL2BBB"

step="3 (the entry editor)"
click_icon 1
keys_to "Zelvo Pre 2" alt+r
wait_for "no window \"Eintrag bearbeiten\"" visible "Eintrag bearbeiten"
check_names "Eintrag bearbeiten"
keys_to "Eintrag bearbeiten" Escape
wait_for "the entry editor stayed open after Escape" hidden "Eintrag bearbeiten"

step="4 (the settings, each of the three pages shown)"
keys_to "Zelvo Pre 2" alt+e
wait_for "no window \"Einstellungen\"" visible "Einstellungen"
# They open at "Ereignisse" with the page tabs focused; Left goes to the page before. The tab bar
# is named after the page it shows.
wait_for "the page \"Ereignisse\" is not shown" shows Einstellungen 'page tab list "Ereignisse"'
check_names "Einstellungen"
keys_to "Einstellungen" Left
wait_for "Left did not show the page \"Remotes und Away\"" shows Einstellungen 'page tab list "Remotes und Away"'
check_names "Einstellungen"
keys_to "Einstellungen" Left
wait_for "Left did not show the page \"Zelvo\"" shows Einstellungen 'page tab list "Zelvo"'
check_names "Einstellungen"
keys_to "Einstellungen" Escape
wait_for "the settings stayed open after Escape" hidden "Einstellungen"

step="5 (Beenden)"
quit_zelvo

if [ ${#problems[@]} -gt 0 ]; then
  printf 'FAIL: %s\n' "${problems[@]}"
  exit 1
fi
echo "PASS: every control of the roster window, the message window, the entry editor and the settings has a name; every row says its state"
