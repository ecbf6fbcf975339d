#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine and runs every test.
# The end-to-end tests start their own sandbox server on a free loopback
# port and stop it when they finish.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"
build="${KORVEL_BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j 2 --timeout 600
