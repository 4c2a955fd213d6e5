#!/usr/bin/env bash
# Checks the layers and the format, builds the Debug + sanitizer configuration and the Release
# configuration (warnings as errors in both), runs every fuzz target briefly, the whole test suite
# and every benchmark once.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
bash scripts/check_layers.sh
bash scripts/check_format.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_WERROR=ON
cmake --build build-test -j"$(nproc)"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON -DVELMORA_TESTS=OFF \
    -DVELMORA_BENCHMARKS=ON
cmake --build build-release -j"$(nproc)"
# A short run of every fuzz target over its seed corpus, then the suite, then each benchmark once.
bash scripts/fuzz.sh 5
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j"$(nproc)"
bash scripts/run_benchmarks.sh build-release
