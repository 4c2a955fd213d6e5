#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
# Usage: scripts/fuzz.sh [SECONDS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_FUZZ=ON -DVELMORA_SANITIZE=ON -DVELMORA_GUI=ON -DVELMORA_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target $(cd fuzz && ls *Fuzz.cpp | sed 's/\.cpp$//')
# The window's target runs offscreen; Qt's own allocations that live until exit are not leaks.
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
for target in build-fuzz/fuzz/*Fuzz; do
    name=$(basename "$target")
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    echo "fuzzing $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" >"$work.log" 2>&1; then
        tail -n 60 "$work.log"
        echo "fuzz: $name found a fault (see above)"
        exit 1
    fi
    grep -E "^Done|^stat::number_of_executed_units" "$work.log" || true
    rm -rf "$work" "$work.log"
done
echo "fuzz: all targets ran without a finding"
