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
program="$build/velmora-calc"
if [[ ! -x "$program" ]]; then
    echo "no $program: build it first (cmake --build $build --target velmora-calc)" >&2
    exit 2
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
source bench/survey_files.sh
survey_files "$dir" "$count"

files=("$dir"/survey*.snd)
echo "velmora-calc report of ${#files[@]} third-octave files ($program)"
# Warm the file cache and the program's own start-up files.
"$program" report "${files[@]}" -o "$dir/report.pdf"
if command -v pdfinfo > /dev/null; then
    pdfinfo "$dir/report.pdf" | grep -E "^Pages:"
fi

times=()
for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    "$program" report "${files[@]}" -o "$dir/report.pdf" --title "Survey" --note "Timed run"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
best=${sorted[0]}
median=${sorted[$((runs / 2))]}
echo "runs (ms): ${times[*]}"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
((median <= target_ms))
