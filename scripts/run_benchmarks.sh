#!/usr/bin/env bash
# Runs every benchmark of a build once, briefly, so that each keeps building and running.
# Usage: scripts/run_benchmarks.sh BUILD_DIR   (the figures themselves: bench/figures.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: run_benchmarks.sh BUILD_DIR}
export QT_QPA_PLATFORM=offscreen
status=0
for bench in "$build"/bench/*Bench; do
    [ -x "$bench" ] || continue
    if ! "$bench" --benchmark_min_time=0.01 >"$bench.log" 2>&1; then
        tail -n 20 "$bench.log"
        echo "bench: $(basename "$bench") failed" >&2
        status=1
    fi
done
[ $status = 0 ] && echo "bench: every benchmark ran"
exit $status
