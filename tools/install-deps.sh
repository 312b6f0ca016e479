#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing: one
# line for each package it installs, the package manager's output in a log that
# is shown only when it fails.
# Usage: tools/install-deps.sh [windows | bench | fuzz]
set -euo pipefail
cd "$(dirname "$0")/.."

# Each package, and what it is for.
packages=(
  "cmake:the build"
  "ninja-build:the build"
  "g++:the C++ compiler"
  "pkg-config:finding cairo and libedit"
  "libgtest-dev:GoogleTest, for the unit tests"
  "libgmock-dev:GoogleTest's mocks (the headers GoogleTest's package expects)"
  "libbenchmark-dev:the benchmarks"
  "clang-format:formatting the sources"
  "zlib1g-dev:the workspace's checksums and PNG data"
  "libpng-dev:reading and writing pictures"
  "libcairo2-dev:drawing the pictures of the screen"
  "fonts-dejavu-core:the pictures' font"
  "libedit-dev:line editing in opalhost's shell"
  "libfontconfig-dev:finding a font for characters the main one lacks"
  "fonts-wqy-microhei:the pictures' font for Chinese, Japanese and Korean names"
)
case "${1:-}" in
windows)
  packages+=(
    "g++-mingw-w64-x86-64:the Windows build (MinGW-w64)"
    "libz-mingw-w64-dev:zlib for the Windows build"
    "googletest:GoogleTest's sources, built for the Windows tests"
    "wine:running the Windows build (wine, wineserver)"
    "wine64:running the Windows build (64-bit)"
    "xvfb:a virtual X display for Wine"
    "xauth:xvfb-run's X authority"
    "picom:the compositor of the live tests"
    "xdotool:real clicks and keys in the live tests"
    "imagemagick:pictures of the real screen in the live tests"
    "x11-utils:window properties in the live tests (xprop)"
    "openbox:a window manager to run the live tests under"
    "xfwm4:a compositing window manager to run the live tests under"
    "dbus-daemon:a D-Bus session bus for xfwm4's settings"
    "wmctrl:window manager requests in the live tests"
  )
  ;;
bench)
  packages+=(
    "valgrind:instruction counts (tools/bench/instructions.sh)"
    "gcc:the Xlib probe of tools/bench/live-alpha.sh, frame-grab of tools/wine/hover-gif.sh"
    "libx11-dev:the Xlib probe of tools/bench/live-alpha.sh, frame-grab of tools/wine/hover-gif.sh"
    "libxtst-dev:the probe's keys, sent with XTest"
  )
  ;;
fuzz)
  packages+=(
    "clang:the clang and fuzz presets"
    "libclang-rt-14-dev:clang's libFuzzer and sanitizer runtimes"
  )
  ;;
"") ;;
*)
  echo "usage: tools/install-deps.sh [windows | bench | fuzz]" >&2
  exit 2
  ;;
esac

missing=()
for entry in "${packages[@]}"; do
  name=${entry%%:*}
  if ! dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$name")
    echo "installing $name: ${entry#*:}"
  fi
done
[ ${#missing[@]} -gt 0 ] || exit 0

mkdir -p build
log=build/install-deps.log
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
if ! {
  "${sudo_cmd[@]}" apt-get update &&
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
      "${missing[@]}"
} >"$log" 2>&1; then
  cat "$log" >&2
  echo "install-deps.sh: installing failed; the log is $log" >&2
  exit 1
fi
