#!/usr/bin/env bash
# Times `velmora-calc report` of many third-octave data files into one PDF, a page per file, with
# the file cache warm.
#
#   bash bench/calc_report.sh [BUILD_DIR] [FILES]     (defaults: build-rel, 100)
#
# Prints the best and median of a few timed runs. The target is at most 5 s for 100 files on a
# 2-core machine; the exit status is 1 when the median misses it.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-rel}
count=${2:-100}
runs=5
target_ms=5000
source bench/calc_common.sh
calc_program "$build"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
survey_files "$dir" "$count"

files=("$dir"/survey*.snd)
echo "velmora-calc report of ${#files[@]} third-octave files ($program)"
# Warm the file cache and the program's own start-up files.
"$program" report "${files[@]}" -o "$dir/report.pdf"
if command -v pdfinfo > /dev/null; then
    pdfinfo "$dir/report.pdf" | grep -E "^Pages:"
fi

timed_runs "$runs" "$program" report "${files[@]}" -o "$dir/report.pdf" --title "Survey" --note "Timed run"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
((median <= target_ms))
