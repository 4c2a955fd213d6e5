#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
# Usage: scripts/fuzz.sh [SECONDS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_FUZZ=ON -DVELMORA_SANITIZE=ON -DVELMORA_GUI=OFF -DVELMORA_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for target in build-fuzz/fuzz/*Fuzz; do
    name=$(basename "$target")
    work=$(mktemp -d)
    cp -r "fuzz/corpus/$name/." "$work/" 2>/dev/null || true
    echo "fuzzing $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=0 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
done
echo "fuzz: all targets ran without a finding"
