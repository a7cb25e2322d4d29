#!/usr/bin/env bash
# Installs what is missing, builds the Linux and the Windows programs, and
# runs the whole test suite headless against a private X server, sound server
# and Wine prefix.
#   BUILD_DIR      Linux build folder (default: build)
#   WINDOWS_BUILD_DIR  Windows build folder (default: build-windows); set
#                  ORVANTH_WINDOWS=0 to build and test Linux alone
#   CMAKE_ARGS     extra configure arguments of the Linux build
#   BUILD_TARGETS  what to build (default: everything), e.g. orvanth_unit_tests
#   CTEST_ARGS     extra ctest arguments (e.g. -L unit)
#   ORVANTH_WERROR=1  warnings are errors in both builds (as CI builds)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export ORVANTH_DEPS_INSTALLED=1
build_dir=${BUILD_DIR:-build}
windows_dir=${WINDOWS_BUILD_DIR:-build-windows}
windows=${ORVANTH_WINDOWS:-1}
windows_arg=-DORVANTH_WINDOWS_BUILD=
werror=-DORVANTH_WERROR=$([ "${ORVANTH_WERROR:-0}" = 1 ] && echo ON || echo OFF)
if [ "$windows" = 1 ]; then
  BUILD_DIR=$windows_dir scripts/build-windows.sh
  windows_arg=-DORVANTH_WINDOWS_BUILD=$(realpath "$windows_dir")
fi
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja "$windows_arg" "$werror" ${CMAKE_ARGS:-}
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"

# shellcheck source=scripts/test-servers.sh
. scripts/test-servers.sh
run_tests() {
  if [ "$1" = "$windows_dir" ] && [ -z "${CTEST_ARGS:-}" ]; then
    # Only unit tests there; the Linux build's Wine tests run its programs.
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
  elif [ -n "${CTEST_ARGS:-}" ]; then
    # shellcheck disable=SC2086
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)" $CTEST_ARGS
  else
    # Tests that need nothing run side by side; the ones that share the X
    # server's pointer and focus or the sound sink run one at a time.
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)" -L unit
    ctest --test-dir "$1" --output-on-failure -LE unit
  fi
}
echo "== Linux: $build_dir"
run_tests "$build_dir"
if [ "$windows" = 1 ]; then
  echo "== Windows, under Wine: $windows_dir"
  run_tests "$windows_dir"
fi
