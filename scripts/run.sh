#!/usr/bin/env bash
# Builds Velmora (Release) and launches it; arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF
cmake --build build -j"$(nproc)"
exec ./build/velmora "$@"
