#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 60) from its kept corpus. New finds go to build-fuzz/finds/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DORVANTH_FUZZ=ON -DORVANTH_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)"
mkdir -p build-fuzz/finds
status=0
for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  fuzzer=$(find build-fuzz -type f -name "$name" -perm -u+x | head -n 1)
  [ -n "$fuzzer" ] || { echo "no fuzzer built for $name" >&2; status=1; continue; }
  work=build-fuzz/finds/$name
  mkdir -p "$work/new"
  echo "fuzzing $name for ${seconds}s"
  if ! "$fuzzer" -max_total_time="$seconds" -artifact_prefix="$work/" -print_final_stats=1 \
       "$work/new" "$corpus" 2>"$work/log"; then
    tail -n 40 "$work/log" >&2
    status=1
  fi
  grep -E 'stat::number_of_executed_units|stat::new_units_added' "$work/log" || true
done
exit $status
