#!/usr/bin/env bash
# Start-up of the window and opening a large map, under a virtual screen:
# - the time from starting a process to its first painted window, for the program's window on the
#   sample country map and, in the same run, for a bare Qt program showing one QLabel with the same
#   picture (the aim: at most 1.5 times the bare program);
# - the time from File > Open of a map with 10,000 spots to the map view's first paint (aim: 200 ms).
# Each figure is the median of several runs, after one run that warms the caches.
#
#   bench/window_start.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [[ -z "${PINLORE_WINDOW_BENCH_INNER:-}" ]]; then
  export PINLORE_WINDOW_BENCH_INNER=1
  exec xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" "$0" "$build"
fi

program="$build/bench/window_start"
pictures="$build/bin/tutorial/Pictures"
runs=9
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PINLORE_REGISTRY="$work/registry.sqlite"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Milliseconds of wall time of one run of the command.
timed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

measure() {
  timed "$@" >/dev/null
  for ((i = 0; i < runs; i++)); do timed "$@"; done | median
}

bare=$(measure "$program" label "$pictures/Country Map.jpg")
window=$(measure "$program" pinlore "$pictures/Country.plm")
echo "start-up to first paint: window on the sample map ${window} ms, bare QLabel with its picture ${bare} ms" \
  "(ratio $(awk -v w="$window" -v b="$bare" 'BEGIN { printf "%.2f", w / b }'), median of $runs)"

"$program" make-map "$work/large.plm" 10000 "$pictures/Country Map.jpg"
"$program" open "$work/large.plm" >/dev/null 2>&1
for ((i = 0; i < runs; i++)); do "$program" open "$work/large.plm" 2>/dev/null; done | median |
  xargs -I{} echo "File > Open of a map with 10,000 spots to its first paint: {} ms (median of $runs)"
