#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zelvo.
#
# With no channel table (flexnet.conf) and nothing listening on 127.0.0.1:8001, there is no radio
# to talk to: then a simulated channel (zelvo-air) and a demo partner station that answers every
# message (DB0ZEL, alias "Demo") are started first, and stopped again when Zelvo ends. Otherwise it
# says which table it uses, or that a TNC (Direwolf) already listens on 8001: frames go on the air.
# Without a display, the headless station zelvo-station is started instead of the window.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
bin="$PWD/build/bin"

children=()
cleanup() {
  for pid in "${children[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# The driver's channel table, looked for as the driver does (flexnet.conf(5)).
conf="${ZELVO_FLEXNET_CONF:-}"
if [ -z "$conf" ]; then
  for conf in "$bin/flexnet.conf" "${XDG_CONFIG_HOME:-$HOME/.config}/zelvo/flexnet.conf" \
              /etc/zelvo/flexnet.conf; do
    [ -e "$conf" ] && break
  done
fi
if [ -e "$conf" ]; then
  echo "Channel table: $conf (the demo is not started; its channels' TNCs are used)." >&2
elif (exec 3<>/dev/tcp/127.0.0.1/8001) 2>/dev/null; then
  echo "TNC found on 127.0.0.1:8001: the demo partner is not started; frames go on the air." >&2
else
  echo "No radio configured: starting the simulated channel zelvo-air on 127.0.0.1:8001 and the demo" \
       "partner DB0ZEL; nothing goes on the air." >&2
  "$bin/zelvo-air" --port 8001 >/dev/null &
  children+=($!)
  for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/8001) 2>/dev/null && break
    sleep 0.1
  done
  partner="${XDG_STATE_HOME:-$HOME/.local/state}/zelvo/demo-partner"
  mkdir -p "$partner"
  # The partner reads commands from a pipe that stays open, so it runs until it is stopped.
  mkfifo "$partner/commands" 2>/dev/null || true
  (ZELVO_REGISTRY_DIR="$partner" exec "$bin/zelvo-station" --mycall DB0ZEL --alias Demo \
     --register yes --echo --log "$partner/Zelvo.log" <"$partner/commands" >/dev/null) &
  children+=($!)
  exec 4>"$partner/commands"
  # Going online needs a station on the roster: the partner has one once it has registered the
  # user's station, which happens when that station first announces itself.
  (while kill -0 "${children[1]}" 2>/dev/null; do echo online; sleep 5; done >&4) &
  children+=($!)
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting the headless station zelvo-station (--help lists its commands)." >&2
  "$bin/zelvo-station" "$@"
  exit $?
fi
if [ -x "$bin/zelvo" ]; then
  "$bin/zelvo" "$@"
else
  echo "The windowed program is not built yet; starting the headless station." >&2
  "$bin/zelvo-station" "$@"
fi
