#!/usr/bin/env bash
# Builds Velmora in Release and packs it as a Debian package; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-pkg -j"$(nproc)"
cd build-pkg
cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
