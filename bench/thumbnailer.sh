#!/usr/bin/env bash
# What a file manager waits for a map's thumbnail: `pinlore --thumbnail` on the sample country map at
# the large thumbnail size (256), beside ImageMagick's `convert` making the same picture of the same
# map picture at the same size, in the same run. Prints each one's mean wall time over the runs.
#
#   bench/thumbnailer.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
map="$build/bin/tutorial/Pictures/Country.plm"
picture="$build/bin/tutorial/Pictures/Country Map.jpg"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=20
size=256

mean_ms() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$@" >/dev/null; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000000))
}

echo "Map picture: $(identify -format '%w x %h' "$picture"), thumbnail size $size"
pinlore_ms=$(mean_ms "$build/bin/pinlore" --thumbnail "$map" "$work/pinlore.png" "$size")
convert_ms=$(mean_ms convert "$picture" -thumbnail "${size}x${size}" "$work/convert.png")
echo "pinlore --thumbnail: $pinlore_ms ms per map (mean of $runs)"
echo "convert -thumbnail:  $convert_ms ms per picture (mean of $runs)"
