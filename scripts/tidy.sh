#!/usr/bin/env bash
# Runs clang-tidy (.clang-tidy) over our sources in a configured Linux build's
# compile_commands.json: third_party/ and generated code are left out. Any
# finding fails.
#   tidy.sh [BUILD_DIR] [FILE_REGEX]   (default: build, every source of ours)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
root=$(pwd)
if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "no $build_dir/compile_commands.json: configure the Linux build first" >&2
  exit 2
fi
# Sources under the project folder, not third_party/ nor in a build folder.
files=${2:-"^$root/(bench|common|dist|fuzz|platform|renderer|saver|tests|tools)/.*\\.(c|cpp)\$"}
run=$(command -v run-clang-tidy || command -v run-clang-tidy-14)
# Headers of ours are checked where our sources include them.
"$run" -quiet -p "$build_dir" -j "$(nproc)" \
  -header-filter="^$root/(bench|common|dist|fuzz|platform|renderer|saver|tests|tools)/" \
  "$files" > "$build_dir/tidy.log" 2>&1 || true
# One line per finding, colours taken out, each once (a header's are seen from
# every source that includes it).
sed 's/\x1b\[[0-9;]*m//g' "$build_dir/tidy.log" | grep -E '(warning|error): .*\[[a-z0-9.,-]+\]$' |
  sort -u > "$build_dir/tidy-findings.txt" || true
count=$(wc -l < "$build_dir/tidy-findings.txt")
if [ "$count" -gt 0 ]; then
  cat "$build_dir/tidy-findings.txt"
  echo "clang-tidy: $count findings (full output in $build_dir/tidy.log)" >&2
  exit 1
fi
echo "clang-tidy: no findings"
