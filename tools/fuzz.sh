#!/usr/bin/env bash
# Runs one fuzz target of tests/fuzz for as long as asked (the fuzz preset).
#
#   tools/fuzz.sh workspace|resource|script [SECONDS] [LIBFUZZER OPTION...]
#
# SECONDS defaults to 600; 0 runs until stopped. New inputs are kept in
# build/fuzz/found/TARGET; an input that fails is written there as crash-…
# (or leak-…, timeout-…) and the run stops. To see it fail again:
#   build/fuzz/tests/fuzz/TARGET_fuzzer FILE
# Once fixed, the input goes into tests/fuzz/corpus/TARGET/ as a regression
# seed, under a name that says what it broke.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
case "$target" in
workspace | resource | script) ;;
*)
    echo "usage: tools/fuzz.sh workspace|resource|script [SECONDS] [LIBFUZZER OPTION...]" >&2
    exit 2
    ;;
esac
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))

bash tools/install-deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${target}_fuzzer"

found=build/fuzz/found/$target
mkdir -p "$found"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
# -close_fd_mask=3: the host's own output is silenced; libFuzzer's and the
# sanitizers' reports still show.
exec "build/fuzz/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -close_fd_mask=3 \
    -artifact_prefix="$found/" "$@" "$found" "tests/fuzz/corpus/$target"
