#!/usr/bin/env bash
# Builds the native host and plug-in and runs opalhost's demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target opalhost
# The demonstration keeps its own workspace, begun afresh, so that it tells
# the same story every time.
rm -f build/native/demo-workspace
./build/native/opalhost --workspace build/native/demo-workspace "$@"
