#!/usr/bin/env bash
# Start-up of the window and opening a large map, under a virtual screen:
# - the time from starting a process to its first painted window, for the program's window on the
#   sample country map and, in the same run, for a bare Qt program showing one QLabel with the same
#   picture (the aim: at most 1.5 times the bare program);
# - the time from File > Open of a map with 10,000 spots to the map view's first paint (aim: 200 ms).
# Each figure is the median of several runs, after one run that warms the caches. Processor time
# (user and system) is given beside wall time: on a machine busy with other work it is the steadier.
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

# The median of each column of lines of numbers.
median() {
  local lines columns=()
  lines=$(cat)
  for ((c = 1; c <= $(head -1 <<<"$lines" | wc -w); c++)); do
    columns+=("$(cut -d' ' -f"$c" <<<"$lines" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')")
  done
  echo "${columns[*]}"
}

# Milliseconds of wall time and of processor time of one run of the command.
timed() {
  /usr/bin/time -f "%e %U %S" -o "$work/time" "$@" >/dev/null 2>&1
  awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' "$work/time"
}

measure() {
  timed "$@" >/dev/null
  for ((i = 0; i < runs; i++)); do timed "$@"; done | median
}

read -r bare bare_cpu < <(measure "$program" label "$pictures/Country Map.jpg")
read -r window window_cpu < <(measure "$program" pinlore "$pictures/Country.plm")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "start-up to first paint (median of $runs), window on the sample map / bare QLabel with its picture:"
echo "  wall ${window} / ${bare} ms (ratio $(ratio "$window" "$bare")), processor ${window_cpu} / ${bare_cpu} ms" \
  "(ratio $(ratio "$window_cpu" "$bare_cpu"))"

"$program" make-map "$work/large.plm" 10000 "$pictures/Country Map.jpg"
"$program" open "$work/large.plm" >/dev/null 2>&1
read -r open open_cpu < <(for ((i = 0; i < runs; i++)); do "$program" open "$work/large.plm" 2>/dev/null; done | median)
echo "File > Open of a map with 10,000 spots to its first paint (median of $runs): wall ${open} ms, processor ${open_cpu} ms"
