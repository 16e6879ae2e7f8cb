#!/usr/bin/env bash
# Exports a map whose photo spots hold 40 photographs of 12 megapixels, in both page styles, and, in
# the same run, lets vipsthumbnail make one 640 x 480 JPEG of each of the same photographs. Prints the
# wall time, processor time and peak memory of each. The export makes two JPEG qualities of every
# photograph plus the pages and copies; the goal is at most half of vipsthumbnail's time and a peak
# under 300 MB, and the modern style's pages should add no time that stands out from the noise.
#
#   bench/export_html.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
pinlore="$build/bin/pinlore"
pictures_source="$(cd "$(dirname "$0")/../tutorial/Pictures" && pwd)"
work="$build/bench-export"
photos="$work/photos"
count=40

mkdir -p "$photos"
# The photographs are made once and kept: 4000 x 3000 versions of the tutorial's photographs with
# grain added, so they decode like camera pictures rather than smooth drawings.
if [[ $(ls "$photos"/*.jpg 2>/dev/null | wc -l) -ne $count ]]; then
  echo "Making $count photographs of 12 megapixels in $photos ..."
  sources=("$pictures_source"/{"Harbour at Dawn","Vineyard Hills","Mountain Lake","Old Town Square","Riverside Market","Evening Bridge"}.jpg)
  for ((i = 0; i < count; i++)); do
    source=${sources[$((i % ${#sources[@]}))]}
    vips resize "$source" "$work/big.v" 1.953125 --kernel linear
    vips gaussnoise "$work/noise.v" 4000 3000 --sigma $((6 + i % 7)) --mean 0 --seed $i
    vips add "$work/big.v" "$work/noise.v" "$work/sum.v"
    vips cast "$work/sum.v" "$photos/photo$(printf %02d $i).jpg[Q=92]" uchar
  done
  rm -f "$work"/*.v
fi

# A map of four photo spots of ten photographs each, written as the program writes its files.
map="$work/bench.plm"
{
  printf '<Object clsid="{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}">'
  printf '<MapFileKey vt="8">%s</MapFileKey><NumSpotsKey vt="3">4</NumSpotsKey>' "$pictures_source/Country Map.jpg"
  for ((s = 0; s < 4; s++)); do
    printf '<Spot__%d__Key vt="9" clsid="{37ED8AE6-6686-4D72-8646-76614F2D5BD3}">' $s
    printf '<NumFilesKey vt="3">10</NumFilesKey><BoundsTopKey vt="3">%d</BoundsTopKey>' $((200 + 200 * s))
    printf '<BoundsLeftKey vt="3">%d</BoundsLeftKey><BoundsBottomKey vt="3">%d</BoundsBottomKey>' $((300 * s + 100)) $((300 + 200 * s))
    printf '<BoundsRightKey vt="3">%d</BoundsRightKey>' $((300 * s + 200))
    for ((f = 0; f < 10; f++)); do
      printf '<File__%d__Key vt="8">%s</File__%d__Key>' $f "$photos/photo$(printf %02d $((s * 10 + f))).jpg" $f
    done
    printf '<AudioFileKey vt="8"></AudioFileKey></Spot__%d__Key>' $s
  done
  printf '</Object>'
} > "$map"

measure() {  # label, command...
  local label=$1; shift
  local log="$work/time-$label.txt"
  /usr/bin/time -v "$@" > /dev/null 2> "$log"
  local wall cpu rss
  wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$log")
  # Processor time as well as wall time: on a machine shared with other work, it is the steadier figure.
  cpu=$(awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} END {printf "%.2f", u + s}' "$log")
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log")
  printf '%-14s wall %s  processor %ss  peak %d MB\n' "$label" "$wall" "$cpu" $((rss / 1024))
}

rm -rf "$work"/site-* "$work/thumbnails"
mkdir -p "$work/thumbnails"
echo "Exporting $count photographs of 12 megapixels in both styles, beside vipsthumbnail ($(nproc) cores):"
measure vipsthumbnail vipsthumbnail --size 640x480 -o "$work/thumbnails/%s.jpg[Q=50]" "$photos"/*.jpg
for style in classic modern; do
  mkdir -p "$work/site-$style"
  PINLORE_REGISTRY="$work/registry.sqlite" measure "export-$style" \
    "$pinlore" --export-html "$map" "$work/site-$style" --style "$style"
  pages=$(find "$work/site-$style" -name '*.html' -printf '%s\n' | awk '{total += $1} END {print total}')
  printf '%-14s pages %d bytes\n' "" "$pages"
done
