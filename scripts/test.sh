#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless
# against a private X server and sound server.
#   BUILD_DIR      build folder (default: build)
#   CMAKE_ARGS     extra configure arguments (e.g. -DORVANTH_SANITIZE=ON)
#   BUILD_TARGETS  what to build (default: everything), e.g. orvanth_unit_tests
#   CTEST_ARGS     extra ctest arguments (e.g. -L unit)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export ORVANTH_DEPS_INSTALLED=1
build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja ${CMAKE_ARGS:-}
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"

# shellcheck source=scripts/test-servers.sh
. scripts/test-servers.sh
if [ -n "${CTEST_ARGS:-}" ]; then
  # shellcheck disable=SC2086
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" $CTEST_ARGS
else
  # Tests that need nothing run side by side; the ones that share the X server's
  # pointer and focus or the sound sink run one at a time.
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -L unit
  ctest --test-dir "$build_dir" --output-on-failure -LE unit
fi
