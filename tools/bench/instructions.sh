#!/usr/bin/env bash
# Prints the instructions a timer tick costs, counted by callgrind, so that
# the figures hold on a busy shared machine: per tick at 30 palettes / 100
# panels and at 300 / 1,000, and per palette at 1,000 and 10,000 panels
# (four panels a palette). A tick's cost is the difference between runs of
# 2T and T ticks over the same world, divided by T.
# Needs the native build and valgrind (tools/install-deps.sh bench).
#
#   tools/bench/instructions.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-"$here/../../build/native"}
probe="$build/tests/bench/tick_probe"
[ -x "$probe" ] || { echo "no $probe: build the native preset first" >&2; exit 2; }
command -v valgrind > /dev/null || { echo "valgrind is missing: tools/install-deps.sh bench" >&2; exit 2; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# instructions PALETTES PANELS TICKS: the program's whole count.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file="$out/cg" "$probe" "$1" "$2" "$3" \
        > /dev/null 2>&1
    awk '/^(summary|totals):/ { print $2; exit }' "$out/cg"
}

# per_tick PALETTES PANELS TICKS
per_tick() {
    local once twice
    once=$(instructions "$1" "$2" "$3")
    twice=$(instructions "$1" "$2" $(( 2 * $3 )))
    echo $(( (twice - once) / $3 ))
}

t30=$(per_tick 30 100 50)
echo "tick at 30 palettes / 100 panels: $t30 instructions"
t300=$(per_tick 300 1000 20)
echo "tick at 300 palettes / 1000 panels: $t300 instructions"
t1k=$(per_tick 250 1000 10)
t10k=$(per_tick 2500 10000 4)
awk -v a="$t1k" -v b="$t10k" 'BEGIN {
    printf "per palette at 1000 panels (250 palettes): %d instructions\n", a / 250
    printf "per palette at 10000 panels (2500 palettes): %d instructions\n", b / 2500
    printf "growth per palette from 1000 to 10000 panels: %.1f%%\n", (b / 2500) / (a / 250) * 100 - 100
}'
