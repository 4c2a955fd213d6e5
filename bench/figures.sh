#!/usr/bin/env bash
# Builds the Release benchmarks and prints the figures the project reports: start-up time and
# memory, redraw and drag step at 1600 x 1200 (and with twenty spectra compared), a report exported
# from the window, velmora-calc rate over 10,000 files, average of 1,000 and report of 100, and a
# fuzz run of each target (SECONDS each, default 60).
# Usage: bench/figures.sh [FUZZ_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${1:-60}

bash scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
export QT_QPA_PLATFORM=offscreen

echo "== start-up to first paint, resident memory"
build-bench/bench/StartupBench 2>/dev/null | grep -E "median"
echo "== full redraw and drag step"
build-bench/bench/RedrawBench --benchmark_filter='width:1600' 2>/dev/null | grep -E "median"
build-bench/bench/DragBench 2>/dev/null | grep -E "median"
echo "== with twenty spectra compared: full redraw at 3840 x 2160 and 1600 x 1200, drag step"
build-bench/bench/ComparisonBench 2>/dev/null | grep -E "median"
echo "== velmora-calc eval 1 as a process, and rate over 10,000 files, plain and with --ratings all"
bash bench/calc_eval.sh build-bench
bash bench/calc_rate.sh --ratings build-bench
echo "== velmora-calc average of 1,000 files"
bash bench/calc_average.sh build-bench
echo "== a one-page report exported from the window, and velmora-calc report of 100 files"
build-bench/bench/ReportBench 2>/dev/null | grep -E "median"
bash bench/calc_report.sh build-bench
echo "== fuzzing, ${fuzz_seconds}s per target"
bash scripts/fuzz.sh "$fuzz_seconds"
