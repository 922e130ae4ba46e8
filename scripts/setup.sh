#!/usr/bin/env bash
# Installs every Debian package Mienzo needs to build, test and run.
# Safe to run again: it installs only what is missing. Works on Debian 12 and
# current Ubuntu; needs root or sudo when something is missing.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config git
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # fuzzing (libFuzzer) and the sanitizer runtimes
  clang libclang-rt-dev
  # platform layer: regions, PNG screenshots, the desktop display
  libpixman-1-dev libpng-dev zlib1g-dev libsdl2-dev
  # picture decoding (libjpeg-dev is libjpeg62-turbo-dev on Debian 12)
  libjpeg-dev
  # text: glyphs, font lookup, and the CJK font the default GUI font maps to
  libfreetype-dev libfontconfig-dev fonts-wqy-zenhei
  # desktop display tests without a desktop
  xvfb xauth xdotool
  # validators for the installed menu entry and software-centre record
  desktop-file-utils appstream
  # independent decoders the picture tests and benchmarks compare with
  python3 python3-pil libstb-dev libgif-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
