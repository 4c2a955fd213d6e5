#!/usr/bin/env bash
# Times `velmora-calc rate` over many third-octave data files in one call, with the file cache warm.
#
#   bash bench/calc_rate.sh [--ratings] [BUILD_DIR] [FILES]     (defaults: build-rel, 10000)
#
# Uses hyperfine when it is installed, else the best and median of a few timed runs. The target is
# at most 250 ms for 10,000 files on a 2-core machine; the exit status is 1 when it is missed.
# --ratings also times `rate --ratings all` over the same files, run by run in turn with plain
# `rate`, and compares the best times: the target is at most 1.2 times plain rate's.
set -euo pipefail
cd "$(dirname "$0")/.."

ratings=0
if [[ ${1:-} == --ratings ]]; then
    ratings=1
    shift
fi
build=${1:-build-rel}
count=${2:-10000}
runs=5
target_ms=250
target_ratio_percent=120
program="$build/velmora-calc"
if [[ ! -x "$program" ]]; then
    echo "no $program: build it first (cmake --build $build --target velmora-calc)" >&2
    exit 2
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Files as the program saves them, each with its own levels so that no two are alike.
LC_ALL=C awk -v dir="$dir" -v n="$count" 'BEGIN {
    split("50 63 80 100 125 160 200 250 315 400 500 630 800 1000 1250 1600 2000 2500 3150 4000 " \
          "5000 6300 8000 10000 12500 16000 20000", hz, " ")
    for (i = 0; i < n; i++) {
        file = sprintf("%s/survey%05d.snd", dir, i)
        printf "#\r\n# Velmora Data File\r\n# Spectrum levels in dB by band\r\n#\r\n\r\n" > file
        printf "Bands: 0  1\r\nSpectrum: %d  0  0\r\nGraph: 0.00  120.00  10.00\r\n\r\n", i % 3 > file
        for (k = 1; k <= 27; k++)
            printf "Levels: %.1f  %.3f\r\n", hz[k], 30 + (i * 7 + k * 13) % 60 + (i % 10) / 10 > file
        printf "\r\nSpectra: 27\r\n" > file
        for (k = 1; k <= 27; k++)
            printf "  %.1f", 20 + (i + k * 5) % 40 > file
        printf "\r\n\r\n" > file
        close(file)
    }
}'

files=("$dir"/survey*.snd)
echo "velmora-calc rate over ${#files[@]} third-octave files ($program)"
# Warm the file cache and the program's own start-up files.
"$program" rate "${files[@]}" > /dev/null
"$program" rate --format csv "${files[@]}" | tail -n +2 | wc -l | xargs echo "rows:"

if command -v hyperfine > /dev/null; then
    if ((ratings)); then
        hyperfine --warmup 1 --runs "$runs" "'$program' rate '$dir'/survey*.snd > /dev/null" \
            "'$program' rate --ratings all '$dir'/survey*.snd > /dev/null"
    else
        hyperfine --warmup 1 --runs "$runs" "'$program' rate '$dir'/survey*.snd > /dev/null"
    fi
    exit 0
fi

# Milliseconds one call of rate with the given options takes.
time_rate() {
    local start end
    start=$(date +%s%N)
    "$program" rate "$@" "${files[@]}" > /dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

# The best and the median of a list of times.
best_and_median() {
    local sorted
    sorted=($(printf '%s\n' "$@" | sort -n))
    echo "${sorted[0]} ${sorted[$((${#sorted[@]} / 2))]}"
}

times=()
rated_times=()
for ((run = 0; run < runs; ++run)); do
    times+=($(time_rate))
    if ((ratings)); then
        rated_times+=($(time_rate --ratings all))
    fi
done
read -r best median <<< "$(best_and_median "${times[@]}")"
echo "runs (ms): ${times[*]}"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
status=0
((best <= target_ms)) || status=1
if ((ratings)); then
    header=$("$program" rate --ratings all --format csv "${files[0]}")
    echo "columns with --ratings all: $(head -n 1 <<< "$header" | tr ',' '\n' | wc -l)"
    read -r rated_best rated_median <<< "$(best_and_median "${rated_times[@]}")"
    percent=$((rated_best * 100 / (best > 0 ? best : 1)))
    echo "rate --ratings all runs (ms): ${rated_times[*]}"
    echo "best ${rated_best} ms, median ${rated_median} ms: ${percent}% of plain rate's best" \
        "(target <= ${target_ratio_percent}%)"
    ((percent <= target_ratio_percent)) || status=1
fi
exit $status
