#!/usr/bin/env bash
# Installs the Debian packages the project needs (when missing), then configures
# and builds everything into build/. Run as root on a fresh machine, or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  build-essential cmake pkg-config clang
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev fonts-liberation2
  libimgui-dev libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils xfonts-base
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
