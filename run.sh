#!/usr/bin/env bash
# Installs what is missing, builds, and starts Zelvo.
# The windowed program is not built yet: until it is, this starts the headless station
# zelvo-station on the simulated channel (zelvo-air), so there is something to talk to.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
bin=build/bin
if [ -x "$bin/zelvo" ]; then
  exec "$bin/zelvo" "$@"
fi
echo "The windowed program is not built yet; starting what exists." >&2
if [ -x "$bin/zelvo-station" ]; then
  exec "$bin/zelvo-station" "$@"
fi
if [ -x "$bin/zelvo-air" ]; then
  echo "Starting the simulated radio channel zelvo-air (Ctrl+C ends it)." >&2
  exec "$bin/zelvo-air" "$@"
fi
echo "Nothing runnable was built yet." >&2
exit 1
