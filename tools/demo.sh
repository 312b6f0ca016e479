#!/usr/bin/env bash
# Builds the native host and plug-in and runs opalhost's demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target opalhost
./build/native/opalhost --workspace build/native/demo-workspace "$@"
