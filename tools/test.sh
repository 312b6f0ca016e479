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

# preset NAME TEST_JOBS: configure, build and test one preset; OPAL_JOBS
# compilers at once (default 2), TEST_JOBS tests. How long each took goes to
# build/test-times.txt (the output's last lines stay the test runner's).
mkdir -p build
: >build/test-times.txt
preset() {
    local start=$SECONDS built
    cmake --preset "$1"
    cmake --build --preset "$1" --parallel "${OPAL_JOBS:-2}"
    built=$SECONDS
    ctest --preset "$1" --parallel "$2"
    echo "$1: $((SECONDS - start)) s (build $((built - start)) s, tests $((SECONDS - built)) s)" \
        >>build/test-times.txt
}

preset native "${OPAL_JOBS:-2}"
# After the native build: the cross build runs its resource compiler, and
# compares its resources with the native module's; its tests include the live
# ones (label live: plain Wine on Xvfb with picom, tools/wine/run-live.sh).
# One test at a time: the live tests' timings are measured, and a Wine test
# beside them would take a core from them.
preset windows 1
# The whole tree with clang and the sanitizers: every test, then each fuzz
# target over its seeds and a fixed number of generated inputs.
preset clang "${OPAL_JOBS:-2}"
