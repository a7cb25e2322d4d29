#!/usr/bin/env bash
# Builds the artwork generator and assembles docs/artwork.png, a contact sheet
# of every picture the saver carries (needs ImageMagick).
#   BUILD_DIR   build folder (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target orvanth_artgen -j 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/tools/artwork/orvanth_artgen" --pictures "$work"

font=$(fc-match -f '%{file}' 'DejaVu Sans')
# One montage per group of like-sized pictures, stacked; small pictures are
# enlarged with hard pixels so their rings stay readable.
group() {
  local out=$1 scale=$2 tile=$3 gap=${GAP:-10}
  shift 3
  local args=()
  for f in "$@"; do
    local base label
    base=$(basename "${f%.*}")
    label=${base#??-}
    convert "$f" -filter point -resize "$scale" "$work/tile-$base.png"
    args+=(-label "$label" "$work/tile-$base.png")
  done
  montage "${args[@]}" -tile "$tile" -geometry "+$gap+8" -background '#30343a' -fill '#e8e8e8' \
    -font "$font" -pointsize 13 "$out"
}
maps=()
for f in "$work"/{01,02,03,05,06,07,08,09,10,11,12}-*.ppm; do maps+=("$f"); done
group "$work/a.png" 100% 4x "${maps[@]}"
group "$work/b.png" 200% 2x "$work"/04-*.ppm "$work"/13-*.ppm
GAP=40 group "$work/c.png" 400% 3x "$work"/14-*.ppm "$work"/15-*.ppm "$work"/22-*.pam
group "$work/d.png" 300% 3x "$work"/1[6-9]-*.ppm "$work"/2[01]-*.ppm
mkdir -p docs
convert "$work/a.png" "$work/b.png" "$work/c.png" "$work/d.png" -background '#30343a' -gravity center \
  -append +repage -depth 8 docs/artwork.png
echo "wrote docs/artwork.png"
