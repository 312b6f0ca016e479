#!/usr/bin/env bash
# Builds and runs every test: the native build, the Windows build (MinGW-w64)
# with its programs under Wine, and the native build again with
# AddressSanitizer and UndefinedBehaviorSanitizer.
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
