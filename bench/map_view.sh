#!/usr/bin/env bash
# Opens a 12-megapixel camera-like photograph as the map picture of a 1280 x 800 map view (decode,
# fit, first paint), and in the same run lets vipsthumbnail make a picture of the same file at the
# view's size. Prints the benchmark's table, then vipsthumbnail's mean wall time over the runs.
#
#   bench/map_view.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
work="$build/bench-map-view"
photo="$work/photo.jpg"
runs=20
mkdir -p "$work"
if [[ ! -f "$photo" ]]; then
  source="$(cd "$(dirname "$0")/../tutorial/Pictures" && pwd)/Harbour at Dawn.jpg"
  vips resize "$source" "$work/big.v" 1.953125 --kernel linear
  vips gaussnoise "$work/noise.v" 4000 3000 --sigma 8 --mean 0 --seed 1
  vips add "$work/big.v" "$work/noise.v" "$work/sum.v"
  vips cast "$work/sum.v" "$photo[Q=92]" uchar
  rm -f "$work"/*.v
fi
echo "Photograph: $(vipsheader "$photo")"
PINLORE_BENCH_MAP_PICTURE="$photo" "$build/bench/map_view_bench" --benchmark_filter='OpenMapPicture|BareDrawImage'
start=$(date +%s%N)
for ((i = 0; i < runs; i++)); do
  vipsthumbnail "$photo" --size 1280x800 -o "$work/thumbnail.jpg"
done
end=$(date +%s%N)
echo "vipsthumbnail to 1280x800: $(((end - start) / runs / 1000000)) ms per picture (mean of $runs)"
