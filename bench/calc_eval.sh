#!/usr/bin/env bash
# Times `velmora-calc eval 1` as a whole process: what a script pays per call of a command that
# needs no drawing (and so no Qt).
#
#   bash bench/calc_eval.sh [BUILD_DIR] [RUNS]     (defaults: build-rel, 200)
#
# Prints the best and median wall time; the exit status is 1 when the median is above 5 ms.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-rel}
runs=${2:-200}
target_us=5000
program="$build/velmora-calc"
if [[ ! -x "$program" ]]; then
    echo "no $program: build it first (cmake --build $build --target velmora-calc)" >&2
    exit 2
fi

"$program" eval 1 > /dev/null
times=()
for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    "$program" eval 1 > /dev/null
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((runs / 2))]}
echo "velmora-calc eval 1 over $runs runs: best ${sorted[0]} us, median ${median} us (target <= ${target_us} us)"
((median <= target_us))
