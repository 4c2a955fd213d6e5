#!/usr/bin/env bash
# Times `velmora-calc rate` over many third-octave data files in one call, with the file cache warm.
#
#   bash bench/calc_rate.sh [--ratings] [BUILD_DIR] [FILES]     (defaults: build-rel, 10000)
#
# Uses hyperfine when it is installed, else the best and median of a few timed runs. The target is
# at most 250 ms for 10,000 files on a 2-core machine; the exit status is 1 when it is missed.
# --ratings also times `rate --ratings all` over the same files, after plain `rate`, and compares
# the best times: the target is at most 1.2 times plain rate's.
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
    if ((ratings)); then
        hyperfine --warmup 1 --runs "$runs" "'$program' rate '$dir'/survey*.snd > /dev/null" \
            "'$program' rate --ratings all '$dir'/survey*.snd > /dev/null"
    else
        hyperfine --warmup 1 --runs "$runs" "'$program' rate '$dir'/survey*.snd > /dev/null"
    fi
    exit 0
fi

timed_runs "$runs" "$program" rate "${files[@]}"
echo "best ${best} ms, median ${median} ms (target <= ${target_ms} ms)"
status=0
((best <= target_ms)) || status=1
if ((ratings)); then
    plain_best=$best
    header=$("$program" rate --ratings all --format csv "${files[0]}")
    echo "columns with --ratings all: $(head -n 1 <<< "$header" | tr ',' '\n' | wc -l)"
    echo "rate --ratings all:"
    timed_runs "$runs" "$program" rate --ratings all "${files[@]}"
    percent=$((best * 100 / (plain_best > 0 ? plain_best : 1)))
    echo "best ${best} ms, median ${median} ms: ${percent}% of plain rate's best" \
        "(target <= ${target_ratio_percent}%)"
    ((percent <= target_ratio_percent)) || status=1
fi
exit $status
