#!/usr/bin/env bash
# Configures and builds everything into ./build (or $KORVEL_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KORVEL_BUILD_DIR:-$root/build}"
jobs="$(nproc 2>/dev/null || echo 2)"
mkdir -p "$build"
# Configure once; later builds let CMake re-run itself only when a CMakeLists changed.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build/configure.log" 2>&1 || {
    cat "$build/configure.log"; exit 1; }
fi
cmake --build "$build" -j "$jobs"
