#!/usr/bin/env bash
# Times `velmora-calc rate` over many third-octave data files in one call, with the file cache warm.
#
#   bash bench/calc_rate.sh [BUILD_DIR] [FILES]     (defaults: build-rel, 10000)
#
# Uses hyperfine when it is installed, else the best and median of a few timed runs. The target is
# at most 250 ms for 10,000 files on a 2-core machine; the exit status is 1 when it is missed.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-rel}
count=${2:-10000}
runs=5
target_ms=250
source bench/calc_common.sh
calc_program "$build"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

survey_files "$dir" "$count"

files=("$dir"/survey*.snd)
echo "velmora-calc rate over ${#files[@]} third-octave files ($program)"
# Warm the file cache and the program's own start-up files.
"$program" rate "${files[@]}" > /dev/null
"$program" rate --format csv "${files[@]}" | tail -n +2 | wc -l | xargs echo "rows:"

if command -v hyperfine > /dev/null; then
    hyperfine --warmup 1 --runs "$runs" "'$program' rate '$dir'/survey*.snd > /dev/null"
    exit 0
fi

timed_runs "$runs" "$program" rate "${files[@]}"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
((best <= target_ms))
