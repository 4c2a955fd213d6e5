#!/usr/bin/env bash
# Builds Velmora in Debug with AddressSanitizer and UBSan and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
bash scripts/check_layers.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCHMARKS=ON
cmake --build build-test -j"$(nproc)"
# A short run of every fuzz target over its seed corpus, then the suite.
bash scripts/fuzz.sh 5
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure -j"$(nproc)"
