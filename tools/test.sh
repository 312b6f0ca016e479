#!/usr/bin/env bash
# Builds and runs every test: the native build (GCC), the Windows build
# (MinGW-w64) with its tests under Wine, and the native build again with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, its fuzz targets included.
# Three builds, not five: the sanitized build is the clang one, and the fuzz
# targets are built and run there (the sanitize and fuzz presets stay for
# working on one of them alone).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh windows
bash tools/install-deps.sh fuzz

# OPAL_JOBS compilers at once (default 2). How long each step took goes to
# build/test-times.txt (the output's last lines stay the test runner's).
jobs=${OPAL_JOBS:-2}
mkdir -p build
: >build/test-times.txt
step_start=$SECONDS
took() {
    echo "$1: $((SECONDS - step_start)) s" >>build/test-times.txt
    step_start=$SECONDS
}
build() {
    # A folder made by another generator (Make, before Ninja) is configured afresh.
    local cache=build/$1/CMakeCache.txt
    if [ -f "$cache" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$cache"; then
        rm -rf "$cache" "build/$1/CMakeFiles"
    fi
    cmake --preset "$1" && cmake --build --preset "$1" --parallel "$jobs"
}

build native
took "native build"
ctest --preset native --parallel "$jobs"
took "native tests"
# After the native build: the cross build runs its resource compiler, and
# compares its resources with the native module's.
build windows
took "windows build"

# The clang build, the whole tree with the sanitizers and the fuzz targets,
# goes on beside the Windows tests, which mostly wait for Wine and the X
# server. It runs at the lowest priority, so that the live tests (label live:
# plain Wine on Xvfb with picom, tools/wine/run-live.sh), whose timings are
# measured, have the processor whenever they want it; for the same reason
# the Windows tests run one at a time.
log=build/clang-build.log
# A session of its own, so that a failure here ends it whole.
setsid nice -n 19 bash -c "$(declare -f build); jobs=$jobs; build clang" >"$log" 2>&1 &
clang_build=$!
trap 'kill -- -$clang_build 2>/dev/null' EXIT
ctest --preset windows
took "windows tests (the clang build beside them)"
if ! wait $clang_build; then
    tail -n 40 "$log"
    echo "test.sh: the clang build failed; its whole output is in $log" >&2
    exit 1
fi
trap - EXIT
took "the clang build's remainder"
# Every test, then each fuzz target over its seeds and a fixed number of
# generated inputs.
ctest --preset clang --parallel "$jobs"
took "clang tests"
