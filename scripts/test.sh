#!/usr/bin/env bash
# Builds the checker and its tests, then runs every test.
#   BUILD_DIR   build folder (default: build)
#   CMAKE_EXTRA extra CMake arguments (default: release build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
jobs=${1:--j2}
# shellcheck disable=SC2086
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release ${CMAKE_EXTRA:-} >/dev/null
cmake --build "$build" "$jobs"
ctest --test-dir "$build" --output-on-failure "$jobs"
