#!/usr/bin/env bash
# Builds the native host and plug-in and runs opalhost's demonstration. The
# build's progress goes to a log, out of the story's way; the demonstration
# keeps its own fresh workspace, so it tells the same story every time and
# leaves yours alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh >&2
mkdir -p build
log=build/demo-build.log
echo "building opalhost (progress in $log)..." >&2
if ! { cmake --preset native && cmake --build --preset native --target opalhost; } >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "the build failed; the whole log is $log" >&2
  exit 1
fi
./build/native/opalhost "$@"
