#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
scripts/build
export QT_QPA_PLATFORM=offscreen
# Every test is bounded: one that has not ended after two minutes is stopped and reported as a
# timeout with its output, so a hang names itself instead of stalling the run.
cd build && ctest --output-on-failure -j"$(nproc)" --timeout 120
