#!/usr/bin/env bash
# Builds both programs into build/bin (BUILD_DIR overrides the folder).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j "$(nproc)"
