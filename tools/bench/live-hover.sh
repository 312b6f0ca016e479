#!/bin/bash
# From the pointer's entering a palette at 40 % to alpha 254 on its X window
# (_NET_WM_WINDOW_OPACITY 0xfefefefe), with "Make panels opaque under the
# pointer" on, on the live test desktop (plain Wine, Xvfb, picom), 20 tries.
# alpha-probe.c (built here) moves the pointer with XTest and stamps the
# PropertyNotify. Prints each try and the median and worst, in milliseconds.
# The processor time while the pointer rests over a palette is
# tools/bench/live-idle.sh BUILD_DIR 20 hover. A benchmark, not a test.
#
#   tools/bench/live-hover.sh [BUILD_DIR]   (default build/windows)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
[ -f "$build/bin/opalhost.exe" ] || { echo "live-hover.sh: build the windows preset first" >&2; exit 2; }
probe=$build/alpha-probe
if [ ! -x "$probe" ] || [ "$root/tools/bench/alpha-probe.c" -nt "$probe" ]; then
  cc -O2 -Wall -Werror -o "$probe" "$root/tools/bench/alpha-probe.c" -lXtst -lX11 ||
    { echo "live-hover.sh: cannot build the probe (tools/install-deps.sh bench)" >&2; exit 2; }
fi
# shellcheck disable=SC2016 # expanded by the inner shell
exec "$root/tools/wine/run-live.sh" "$build" bash -c '
. "$0/tests/live/lib.sh"
live_start "$1"
xdotool mousemove 1270 1015
send "palette Layout at 120 150" "panel Pages in Layout" "open opal" "place Opal 760 120" \
  "select Pages" "type 40" "menu" "menu \"Make panels opaque under the pointer\"" "print places"
live_sync
id=$(window_of Layout)
[ -n "$id" ] || fail "no X window for Layout"
"$2" --hover "$id" $(centre palette Layout) 1270 1015 20 || fail "the probe failed"
live_end
' "$root" "$build/bin/opalhost.exe" "$probe"
