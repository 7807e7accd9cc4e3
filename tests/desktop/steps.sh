# shellcheck shell=bash
# Steps on the private desktop of scripts/with-desktop, shared by the end-to-end tests and
# scripts/screenshots (sourced; the caller sets $bin and $scratch, and may define its own
# `fail MESSAGE`).
# Every program's output goes to $scratch/NAME.out; stop_all ends what was started here.

pids=()
declare -A partner_fd=()

stop_all() {
  local name
  for name in "${!partner_fd[@]}"; do
    eval "exec ${partner_fd[$name]}>&-"
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$scratch"
}

# The last lines of every program's output, and the windows on screen.
show_outputs() {
  local out w
  for out in "$scratch"/*.out; do
    echo "--- last lines of $(basename "$out" .out):"
    tail -n 15 "$out"
  done
  echo "--- windows on screen:"
  for w in $(xdo search --onlyvisible --name .); do
    echo "$w $(xdotool getwindowname "$w" 2>/dev/null)"
  done
}

# Polls a condition every 50 ms for up to 20 s.
wait_for() {
  local what=$1
  shift
  for _ in $(seq 400); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  fail "$what (after 20 s)"
}

# xdotool, asked again when it ended on an X error: a window went away while it looked at it.
xdo() {
  local out status
  for _ in 1 2 3 4 5; do
    out=$(xdotool "$@" 2>"$scratch/xdotool.err")
    status=$?
    grep -q '^X Error' "$scratch/xdotool.err" && continue
    [ -z "$out" ] || echo "$out"
    return $status
  done
  return 1
}

# The id of the shown window with this title; fails when there is none.
visible() {
  local window
  window=$(xdo search --onlyvisible --name "^$1\$" | head -n 1)
  [ -n "$window" ] && echo "$window"
}
hidden() { [ -z "$(visible "$1")" ]; }
# Brings a window to the front with the keyboard focus, then types keys into it.
keys_to() {
  wait_for "no window \"$1\" to type into" visible "$1"
  xdotool windowactivate --sync "$(visible "$1")" key "${@:2}" || fail "xdotool could not type into \"$1\""
}
exited() { [ ! -e "/proc/$1" ] || [ "$(sed 's/.*) //' "/proc/$1/stat" | cut -d' ' -f1)" = Z ]; }

# The umlauts are keys of the German layout; xdotool's stand-in keys for missing ones are
# unreliable. Then the simulated channel on a free port, the driver's channel table for it, and
# the directories the programs write to.
start_air() {
  setxkbmap -layout de || fail "setxkbmap cannot set the German keyboard layout"
  "$bin/zelvo-air" --port 0 >"$scratch/air.out" 2>&1 &
  pids+=("$!")
  wait_for "zelvo-air did not say its port" grep -q 'listening on 127.0.0.1:' "$scratch/air.out"
  local port
  port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\).*/\1/p' "$scratch/air.out")
  echo "0 kiss-tcp 127.0.0.1:$port Simulation" >"$scratch/flexnet.conf"
  mkdir -p "$scratch"/{zelvo,bin,config,data,state,cache}
  export ZELVO_FLEXNET_CONF=$scratch/flexnet.conf XDG_CONFIG_HOME=$scratch/config \
    XDG_DATA_HOME=$scratch/data XDG_STATE_HOME=$scratch/state XDG_CACHE_HOME=$scratch/cache
}

# start_partner NAME CALL ALIAS: a zelvo-station with its own registry in $scratch/NAME that
# takes DL1ABC onto its roster and goes online; `tell NAME COMMAND` types to it.
start_partner() {
  local name=$1
  mkdir -p "$scratch/$name"
  mkfifo "$scratch/$name.in"
  ZELVO_REGISTRY_DIR=$scratch/$name "$bin/zelvo-station" --mycall "$2" --alias "$3" --register yes \
    --log "$scratch/$name/Zelvo.log" <"$scratch/$name.in" >"$scratch/$name.out" 2>&1 &
  pids+=("$!")
  local fd
  exec {fd}>"$scratch/$name.in"
  partner_fd[$name]=$fd
  tell "$name" "add DL1ABC"
  tell "$name" online
  wait_for "$name did not go online" said "$name" "SELF online qrv"
}
tell() { echo "$2" >&"${partner_fd[$1]}"; }
said() { grep -qxF "$2" "$scratch/$1.out"; }

# write_settings SHOWALIAS ROSTER_LINE...: zelvo's registry file (Windows-1252), DL1ABC "Anna"
# with the given display mode (log on, sounds off), windows in $zelvo_language (German unless set),
# the lines in $more_settings, and the roster.
reg=""
more_settings=()
write_settings() {
  reg=$scratch/zelvo/HKEY_CURRENT_USER.reg
  local n=0 line
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo]\r\n'
    printf '"Mycall"="DL1ABC"\r\n"Alias"="Anna"\r\n"Sprache"="%s"\r\n"Options"=dword:000000df\r\n' "${zelvo_language:-de}"
    printf '"ShowAlias"=dword:%08x\r\n' "$1"
    for line in "${more_settings[@]}"; do
      printf '%s\r\n' "$line"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Varkel\\Zelvo\\User]\r\n'
    for line in "${@:2}"; do
      printf '"%d"="%s"\r\n' "$n" "$line"
      n=$((n + 1))
    done
  } | iconv -f UTF-8 -t WINDOWS-1252 >"$reg"
}

# zelvo logs beside its program file: a link (or copy) in $scratch/bin keeps the build's bin
# directory clean; the driver comes from the build. Waits for its icon in the tray.
zelvo=""
icon=""
start_zelvo() {
  [ -e "$scratch/bin/zelvo" ] || ln "$bin/zelvo" "$scratch/bin/zelvo" 2>/dev/null ||
    cp "$bin/zelvo" "$scratch/bin/zelvo"
  xwininfo -id "$ZELVO_TRAY_PANEL" -children | awk '$1 ~ /^0x/ {print $1}' >"$scratch/panel-before"
  ZELVO_REGISTRY_DIR=$scratch/zelvo flexnet=$bin "$scratch/bin/zelvo" >"$scratch/zelvo.out" 2>&1 &
  zelvo=$!
  pids+=("$zelvo")
  wait_for "no new tray icon of zelvo in the panel" find_icon
}

# The tray icon is the program's window inside a child of the panel that came with it.
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

# Qt's menus (the tray menu, the edit menu of a text field) are override-redirect windows of the
# program beside the (equally override-redirect) icon.
menu_shown() {
  local window
  for window in $(xdo search --onlyvisible --class '^zelvo$'); do
    [ $((window)) -eq $((icon)) ] && continue
    xwininfo -id "$window" -stats | grep -q 'Override Redirect State: yes' && echo "$window" && return 0
  done
  return 1
}
tray_menu() { menu_shown; }
open_tray_menu() {
  click_icon 3
  wait_for "no tray menu after a right click on the icon" tray_menu
}
choose_in_tray_menu() {
  open_tray_menu
  xdotool key "$1"
  wait_for "the tray menu stayed open after the key $1" eval '! tray_menu'
}

# Shows the roster window (a left click on the icon) and selects the row at index $1 (the keys
# move the selection; Space keeps it).
select_row() {
  local keys=(Home)
  for ((i = 0; i < $1; i++)); do keys+=(Down); done
  keys+=(space)
  click_icon 1
  wait_for "no window \"Zelvo Pre 2\" after a click on the icon" visible "Zelvo Pre 2"
  keys_to "Zelvo Pre 2" "${keys[@]}"
}

# Ends zelvo through the tray menu's "Beenden" and the OK to its question; its exit code in $code.
# In another language: quit_zelvo KEY_OF_THE_MENU_ENTRY TITLE_OF_THE_QUESTION.
quit_zelvo() {
  local key=${1:-b} title=${2:-Bestätigung}
  choose_in_tray_menu "$key"
  wait_for "no question \"$title\"" visible "$title"
  keys_to "$title" Return
  wait_for "zelvo did not end" exited "$zelvo"
  wait "$zelvo"
  code=$?
  local rest=() pid
  for pid in "${pids[@]}"; do
    [ "$pid" = "$zelvo" ] || rest+=("$pid")
  done
  pids=("${rest[@]}")
}

# The start of an end-to-end test (begin_desktop_test "$@"): checks its one argument BIN_DIR and
# the desktop, then runs the test again inside a session bus of its own, with the accessibility
# bus on it, so that what the windows show can be read as a screen reader reads it. Exits 77
# (CTest's skip) when a program is missing.
# Every name and text in zelvo's window $1, one a line, as a screen reader reads them.
window_texts() {
  /usr/bin/python3 - "$1" <<'PY' 2>/dev/null
import sys, pyatspi
def walk(node):
    print(node.name)
    try:
        print(node.queryText().getText(0, -1))
    except NotImplementedError:
        pass
    for child in node:
        if child is not None:
            walk(child)
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == "zelvo":
        for window in app:
            if window is not None and window.name == sys.argv[1]:
                walk(window)
PY
}
window_says() { window_texts "$1" | grep -qF "$2"; }

begin_desktop_test() {
  [ $# -eq 1 ] || { echo "usage: scripts/with-desktop $0 BIN_DIR" >&2; exit 2; }
  command -v xdotool >/dev/null || { echo "SKIP: xdotool is missing (apt-get install xdotool)"; exit 77; }
  [ -n "${ZELVO_TRAY_PANEL:-}" ] || { echo "run me under scripts/with-desktop" >&2; exit 2; }
  if [ -z "${ZELVO_E2E_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
      { echo "SKIP: dbus or python3-pyatspi is missing (apt-get install dbus at-spi2-core python3-pyatspi)"; exit 77; }
    ZELVO_E2E_BUS=1 exec dbus-run-session -- "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
  fi
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  trap stop_all EXIT
  trap 'exit 143' TERM INT HUP
}

# How a test fails (a test may define its own): the step, the message, the programs' last words.
fail() {
  echo "FAIL in step $step: $*"
  show_outputs
  exit 1
}
