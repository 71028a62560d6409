#!/usr/bin/env bash
# Installs the Debian 12 packages Tessaro needs to build, run and test, skipping those present.
set -euo pipefail

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libsqlite3-dev
    qt6-base-dev qt6-charts-dev qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfluidsynth-dev timgm6mb-soundfont
    libyaml-cpp-dev
    fonts-noto-cjk
    xvfb xauth
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
