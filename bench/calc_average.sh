#!/usr/bin/env bash
# Times `velmora-calc average` of many third-octave data files in one call (the measured positions of
# a large survey), with the file cache warm.
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
program="$build/velmora-calc"
if [[ ! -x "$program" ]]; then
    echo "no $program: build it first (cmake --build $build --target velmora-calc)" >&2
    exit 2
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Positions as the program saves them, each a little different from the others.
LC_ALL=C awk -v dir="$dir" -v n="$count" 'BEGIN {
    split("50 63 80 100 125 160 200 250 315 400 500 630 800 1000 1250 1600 2000 2500 3150 4000 " \
          "5000 6300 8000 10000 12500 16000 20000", hz, " ")
    for (i = 0; i < n; i++) {
        file = sprintf("%s/pos%05d.snd", dir, i)
        printf "Bands: 0  1\r\nSpectrum: 0  0  0\r\nGraph: 0.00  120.00  10.00\r\n\r\n" > file
        for (k = 1; k <= 27; k++)
            printf "Levels: %s  %.3f\r\n", hz[k], 70 - k + (i * 7 + k * 13) % 9 + (i % 10) / 10 > file
        printf "\r\nSpectra: 27\r\n\r\n" > file
        close(file)
    }
}'

files=("$dir"/pos*.snd)
echo "velmora-calc average of ${#files[@]} third-octave files ($program)"
"$program" average "${files[@]}" -o "$dir/mean.snd" # warm the cache and the program's start-up files
grep -c '^Levels:' "$dir/mean.snd" | xargs echo "bands averaged:"

times=()
for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    "$program" average "${files[@]}" -o "$dir/mean.snd"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "runs (ms): ${times[*]}"
echo "best ${sorted[0]} ms, median ${sorted[$((runs / 2))]} ms (target <= ${target_ms} ms)"
((sorted[0] <= target_ms))
