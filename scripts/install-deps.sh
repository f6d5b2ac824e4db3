#!/usr/bin/env bash
# Installs the Debian packages Velk needs to build, test and run, when any is
# missing. This is the one place that lists them.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ clang
  # clang's sanitizer and libFuzzer runtimes (only recommended by clang, and
  # recommends are not installed below): `make fuzz` links against them.
  libclang-rt-dev
  libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev
  libfreetype-dev libfontconfig-dev fonts-nanum
  libpng-dev libgtest-dev
  lame
  xvfb xauth xdotool
  # The web build (make web) and its test in a headless browser.
  emscripten chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
