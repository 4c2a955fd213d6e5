#!/usr/bin/env bash
# Installs with apt-get what building and testing Velmora needs, when anything is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 locales
    desktop-file-utils dpkg-dev
    clang libclang-rt-14-dev clang-format
)
if [ "${1:-}" = "--display" ]; then
    packages+=(xvfb xauth)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "velmora: missing packages (${missing[*]}); run this as root or install them first" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
