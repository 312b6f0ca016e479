#!/usr/bin/env bash
# Builds and runs every test: the native build, the Windows build (MinGW-w64)
# with its programs under Wine, the native build again with AddressSanitizer
# and UndefinedBehaviorSanitizer, then with clang, and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh windows

cmake --preset native
cmake --build --preset native
ctest --preset native

# After the native build: the cross build runs its resource compiler, and
# compares its resources with the native module's.
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize

# The whole tree with clang, then each fuzz target over its seeds and a fixed
# number of generated inputs.
bash tools/install-deps.sh fuzz
cmake --preset clang
cmake --build --preset clang
ctest --preset clang

cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
