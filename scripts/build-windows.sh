#!/usr/bin/env bash
# Installs what is missing, then cross-builds the Windows programs with
# mingw-w64: Orvanth.scr and Orvanth.data side by side in <build>/dist, the
# unit tests of the portable code (ctest runs them under Wine), and the two
# downloads in <build>/package (the zip and the setup).
#   BUILD_DIR   build folder (default: build-windows)
#   CMAKE_ARGS  extra configure arguments
#   ORVANTH_WERROR=1  warnings are errors (as CI builds)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${BUILD_DIR:-build-windows}
werror=-DORVANTH_WERROR=$([ "${ORVANTH_WERROR:-0}" = 1 ] && echo ON || echo OFF)
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "$werror" \
  ${CMAKE_ARGS:-}
cmake --build "$build_dir" -j "$(nproc)"
cmake --build "$build_dir" --target package_windows
echo "Windows programs in $build_dir/dist, downloads in $build_dir/package"
