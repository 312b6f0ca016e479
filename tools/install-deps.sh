#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Usage: tools/install-deps.sh [windows | bench | fuzz]
set -euo pipefail

packages=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang-format
  zlib1g-dev libpng-dev libcairo2-dev fonts-dejavu-core libedit-dev
  libfontconfig-dev fonts-wqy-microhei)
if [ "${1:-}" = windows ]; then
  # wine64 alone lacks the usual commands (wine, wineserver); xvfb-run needs xauth.
  # The live tests: a compositor, real clicks and keys, pictures and properties
  # of the real screen; window managers to run them under.
  packages+=(g++-mingw-w64-x86-64 libz-mingw-w64-dev wine wine64 xvfb xauth
    picom xdotool imagemagick x11-utils openbox xfwm4 wmctrl)
elif [ "${1:-}" = bench ]; then
  # tools/bench/instructions.sh counts instructions with callgrind.
  packages+=(valgrind)
elif [ "${1:-}" = fuzz ]; then
  # The clang and fuzz presets: clang, and its libFuzzer and sanitizer runtimes.
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
