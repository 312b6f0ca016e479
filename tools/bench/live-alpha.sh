#!/bin/bash
# From the Enter key in the Opal panel's opacity field to the new alpha on the
# X window (_NET_WM_WINDOW_OPACITY), on the live test desktop (plain Wine,
# Xvfb, picom), over 20 tries alternating 40 % and 60 %. A small Xlib program
# (alpha-probe.c, built here) sends the keys with XTest and stamps the Enter
# key and the PropertyNotify that brings the new opacity: no tool's start-up
# is counted. Prints each try and the median and worst, in milliseconds. A
# benchmark, not a test.
#
#   tools/bench/live-alpha.sh [BUILD_DIR]   (default build/windows)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
[ -f "$build/bin/opalhost.exe" ] || { echo "live-alpha.sh: build the windows preset first" >&2; exit 2; }
probe=$build/alpha-probe
if [ ! -x "$probe" ] || [ "$root/tools/bench/alpha-probe.c" -nt "$probe" ]; then
  cc -O2 -Wall -Werror -o "$probe" "$root/tools/bench/alpha-probe.c" -lXtst -lX11 ||
    { echo "live-alpha.sh: cannot build the probe (tools/install-deps.sh bench: libx11-dev libxtst-dev)" >&2; exit 2; }
fi
# shellcheck disable=SC2016 # expanded by the inner shell
exec "$root/tools/wine/run-live.sh" "$build" bash -c '
. "$0/tests/live/lib.sh"
live_start "$1"
send "palette Layout at 120 150" "panel Pages in Layout" "open opal" "place Opal 760 120" \
  "select Pages" "print places"
live_sync
id=$(window_of Layout)
[ -n "$id" ] || fail "no X window for Layout"
"$2" "$id" $(centre field opacity) 20 || fail "the probe failed"
live_end
' "$root" "$build/bin/opalhost.exe" "$probe"
