#!/usr/bin/env bash
# Prints the host's resident memory after 10^3 and 10^6 timer ticks with 30
# floating palettes and 100 stored panels: a long session must stay flat.
# Needs the native build (cmake --preset native && cmake --build --preset native).
#
#   tools/bench/memory.sh [BUILD_DIR]
set -euo pipefail
build=${1:-"$(dirname "$0")/../../build/native"}
probe="$build/tests/bench/tick_probe"
[ -x "$probe" ] || { echo "no $probe: build the native preset first" >&2; exit 2; }
"$probe" 30 100 1000 1000000 | awk '
    { print; rss[NR] = $4 }
    END { printf "growth from 10^3 to 10^6 ticks: %d kB\n", rss[2] - rss[1] }'
