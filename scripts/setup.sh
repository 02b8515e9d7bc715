#!/usr/bin/env bash
# Installs everything the build, the tests and the program need on a fresh
# Debian machine. Safe to run again: installed packages are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev fonts-dejavu-core
  xvfb xdotool xclip x11-utils imagemagick socat python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
