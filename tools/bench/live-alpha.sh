#!/bin/bash
# From the Enter key in the Opal panel's opacity field to the new alpha on the
# X window (_NET_WM_WINDOW_OPACITY), on the live test desktop (plain Wine,
# Xvfb, picom), over 20 tries alternating 40 % and 60 %. The new alpha is
# seen by its PropertyNotify event (xprop -spy), each stamped as it arrives.
# Prints each try and the median and worst, in milliseconds. A benchmark,
# not a test.
#
#   tools/bench/live-alpha.sh [BUILD_DIR]   (default build/windows)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
[ -f "$build/bin/opalhost.exe" ] || { echo "live-alpha.sh: build the windows preset first" >&2; exit 2; }
# shellcheck disable=SC2016 # expanded by the inner shell
exec "$root/tools/wine/run-live.sh" "$build" bash -c '
. "$0/tests/live/lib.sh"
live_start "$1"
send "palette Layout at 120 150" "panel Pages in Layout" "open opal" "place Opal 760 120" \
  "select Pages" "print places"
live_sync
id=$(window_of Layout)
# Each change of the property, stamped as it arrives.
xprop -spy -id "$id" _NET_WM_WINDOW_OPACITY |
  while read -r line; do echo "$(date +%s%N) $line"; done >"$LIVE/spy" &
spy=$!
sleep 0.5
times=()
for try in $(seq 20); do
  percent=$((try % 2 ? 40 : 60))
  want=$(printf "0x%08x" $(((percent * 255 + 50) / 100 * 0x01010101)))
  click_at $(centre field opacity)
  sleep 0.2
  xdotool type --delay 20 $percent
  seen=$(wc -l <"$LIVE/spy")
  start=$(date +%s%N)
  xdotool key Return
  at=
  for _ in $(seq 1000); do
    at=$(tail -n +$((seen + 1)) "$LIVE/spy" | grep -m1 " = $((want))\$" | cut -d" " -f1)
    [ -n "$at" ] && break
    sleep 0.01
  done
  [ -n "$at" ] || fail "no opacity $want in 10 s"
  ms=$(( (at - start) / 1000000 ))
  echo "try $try: $percent % in $ms ms"
  times+=("$ms")
done
sorted=($(printf "%s\n" "${times[@]}" | sort -n))
echo "median $(( (sorted[9] + sorted[10]) / 2 )) ms, worst ${sorted[19]} ms (20 tries)"
kill "$spy" 2>/dev/null
live_end
' "$root" "$build/bin/opalhost.exe"
