#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
export QT_QPA_PLATFORM=offscreen
# Every test is bounded: one that has not ended after two minutes is stopped, reported as a
# timeout with its output, and run once more; a second timeout fails the run.
cd build && ctest --output-on-failure -j"$(nproc)" --timeout 120 --repeat after-timeout:2
