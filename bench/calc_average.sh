#!/usr/bin/env bash
# Times `velmora-calc average` of many third-octave data files in one call (the files of a large
# survey), with the file cache warm.
#
#   bash bench/calc_average.sh [BUILD_DIR] [FILES]     (defaults: build-rel, 1000)
#
# Prints the best and median of a few runs; the target is at most 500 ms for 1,000 files, and the
# exit status is 1 when the best run misses it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-rel}
count=${2:-1000}
runs=5
target_ms=500
source bench/calc_common.sh
calc_program "$build"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
survey_files "$dir" "$count"

files=("$dir"/survey*.snd)
echo "velmora-calc average of ${#files[@]} third-octave files ($program)"
"$program" average "${files[@]}" -o "$dir/mean.snd" # warm the cache and the program's start-up files
grep -c '^Levels:' "$dir/mean.snd" | xargs echo "bands averaged:"

timed_runs "$runs" "$program" average "${files[@]}" -o "$dir/mean.snd"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
((best <= target_ms))
