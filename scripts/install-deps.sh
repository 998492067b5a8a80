#!/usr/bin/env bash
# Installs, with apt-get, whichever of the build and test packages are missing.
set -euo pipefail
packages=(
    g++ clang cmake ninja-build make
    libgtest-dev googletest libbenchmark-dev libclang-rt-14-dev
    libcli11-dev nlohmann-json3-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
    cmark-gfm zip unzip optipng librsvg2-bin pmccabe
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq || true
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
