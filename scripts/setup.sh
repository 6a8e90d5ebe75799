#!/usr/bin/env bash
# Installs, idempotently, every Debian package that building, testing and the
# tools need. Safe to run again: already installed packages are skipped.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    juce-modules-source
    libgtest-dev libgmock-dev libbenchmark-dev
    libasound2-dev libjack-jackd2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev libgl-dev
    fonts-dejavu-core
    xvfb xauth imagemagick xdotool
    clang-format
    python3
    jalv jackd2
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all packages present"
    exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
