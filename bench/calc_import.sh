#!/usr/bin/env bash
# Times `velmora-calc import` of many CSV files, one process per file in one shell loop, as a
# script converting a folder of meter exports would run it, with the file cache warm.
#
#   bash bench/calc_import.sh [BUILD_DIR] [FILES]     (defaults: build-rel, 1000)
#
# Reports the total and the time per file; there is no target, the figure is reported.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-rel}
count=${2:-1000}
source bench/calc_common.sh
calc_program "$build"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Meter exports: a header, then frequency and level of 27 third-octave bands with decimal commas.
LC_ALL=C awk -v dir="$dir" -v n="$count" 'BEGIN {
    split("50 63 80 100 125 160 200 250 315 400 500 630 800 1000 1250 1600 2000 2500 3150 4000 " \
          "5000 6300 8000 10000 12500 16000 20000", hz, " ")
    for (i = 0; i < n; i++) {
        file = sprintf("%s/meter%05d.csv", dir, i)
        printf "Frequency (Hz);Leq (dB)\r\n" > file
        for (k = 1; k <= 27; k++)
            printf "%s;%d,%d\r\n", hz[k], 30 + (i * 7 + k * 13) % 60, i % 10 > file
        close(file)
    }
}'

convert_all() {
    for file in "$dir"/meter*.csv; do
        "$program" import "$file" -o "${file%.csv}.snd"
    done
}

echo "velmora-calc import of $count CSV files, one call each ($program)"
convert_all # warm the cache and the program's start-up files
ls "$dir"/meter*.snd | wc -l | xargs echo "data files written:"
start=$(date +%s%N)
convert_all
end=$(date +%s%N)
total_ms=$(((end - start) / 1000000))
echo "total ${total_ms} ms, $((total_ms * 1000 / count)) us per file"
