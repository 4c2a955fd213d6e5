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
source bench/calc_common.sh
calc_program "$build"

"$program" eval 1 > /dev/null
# Timed in batches, so that reading the clock (a process of its own) is not counted per run.
batches=10
per_batch=$((runs / batches))
times=()
for ((batch = 0; batch < batches; ++batch)); do
    start=$(date +%s%N)
    for ((run = 0; run < per_batch; ++run)); do
        "$program" eval 1 > /dev/null
    done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000 / per_batch)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
median=${sorted[$((batches / 2))]}
echo "velmora-calc eval 1, $batches batches of $per_batch runs: best ${sorted[0]} us, median ${median} us a run (target <= ${target_us} us)"
((median <= target_us))
