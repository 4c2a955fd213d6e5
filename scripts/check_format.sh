#!/usr/bin/env bash
# Fails when a source file is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) | sort)
if ! clang-format --dry-run -Werror $files; then
    echo "format: run clang-format -i on the files above" >&2
    exit 1
fi
echo "format: every source file is formatted"
