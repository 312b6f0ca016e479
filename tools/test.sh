#!/usr/bin/env bash
# Builds and runs every test: the native build, the same with AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset sanitize
cmake --build --preset sanitize
ctest --preset sanitize
