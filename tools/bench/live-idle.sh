#!/bin/bash
# Processor time of the live application while nobody touches it: opalhost.exe
# --live on the live test desktop (plain Wine, Xvfb, picom) with N palettes of
# three panels each and the Opal panel open with a row at 40 %, over 20 idle
# seconds. Prints, for 30 and 100 palettes, the share of one core taken by
# opalhost.exe, wineserver, Xvfb and picom (utime + stime of /proc/PID/stat).
# With "hover": "Make panels opaque under the pointer" on and the pointer
# resting over the newest palette (opaque under it) throughout; with "page":
# the option on and the pointer moved onto the page, resting there.
# A benchmark, not a test.
#
#   tools/bench/live-idle.sh [BUILD_DIR] [SECONDS] [hover | page]   (default build/windows, 20)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
seconds=${2:-20}
hover=${3:-}
case $hover in '' | hover | page) ;; *) echo "live-idle.sh: hover or page, not $hover" >&2; exit 2 ;; esac
[ -f "$build/bin/opalhost.exe" ] || { echo "live-idle.sh: build the windows preset first" >&2; exit 2; }
for palettes in 30 100; do
  # shellcheck disable=SC2016 # expanded by the inner shell
  "$root/tools/wine/run-live.sh" "$build" bash -c '
. "$0/tests/live/lib.sh"
palettes=$2 seconds=$3 hover=$4
live_start "$1"
for ((p = 0; p < palettes; ++p)); do
  send "palette P$p at $((20 + 9 * (p % 100))) $((20 + 7 * (p % 100)))"
  for t in a b c; do send "panel P$p$t in P$p"; done
done
send "open opal" "place Opal 760 120" "select P0a" "type 40"
[ -z "$hover" ] || send "menu" "menu \"Make panels opaque under the pointer\"" "print places"
live_sync
if [ "$hover" = page ]; then
  # A place on the page below the palettes, moved to as a person does.
  xdotool mousemove 145 635 mousemove 150 640
elif [ -n "$hover" ]; then
  # The newest palette, on top of those it overlaps.
  top=P$((palettes - 1))
  xdotool mousemove $(centre palette $top)
  until_output "^window $top .* alpha=254\$" "print windows"
fi
sleep 3 # everything drawn, picom caught up
ticks() { # utime + stime of a process, in clock ticks
  [ -n "$1" ] && awk "{print \$14 + \$15}" "/proc/$1/stat" 2>/dev/null || echo 0
}
exe_pid=$(pgrep -u "$(id -u)" -f "opalhost.exe --live --workspace $LIVE/" | head -1)
# The wineserver of the prefix works in a folder named by its device and inode.
server_dir=$(printf "server-%x-%x" $(stat -c "%d %i" "$WINEPREFIX"))
server_pid=
for p in $(pgrep -u "$(id -u)" wineserver); do
  case $(readlink "/proc/$p/cwd") in */$server_dir) server_pid=$p ;; esac
done
[ -n "$server_pid" ] || echo "live-idle.sh: no wineserver found for $WINEPREFIX" >&2
names=(opalhost.exe wineserver Xvfb picom)
pids=("$exe_pid" "$server_pid" "$OPAL_LIVE_XVFB_PID" "$OPAL_LIVE_COMPOSITOR_PID")
before=()
for p in "${pids[@]}"; do before+=("$(ticks "$p")"); done
sleep "$seconds"
hz=$(getconf CLK_TCK)
case $hover in
hover) line="$palettes palettes, $seconds s idle with the pointer over a palette:" ;;
page) line="$palettes palettes, $seconds s idle with the option on and the pointer on the page:" ;;
*) line="$palettes palettes, $seconds s idle:" ;;
esac
total=0
for i in 0 1 2 3; do
  d=$(($(ticks "${pids[$i]}") - before[i]))
  total=$((total + d))
  line+=" ${names[$i]} $(awk -v d=$d -v hz=$hz -v s=$seconds "BEGIN{printf \"%.2f\", 100 * d / hz / s}") %"
done
line+=", together $(awk -v d=$total -v hz=$hz -v s=$seconds "BEGIN{printf \"%.2f\", 100 * d / hz / s}") % of one core"
echo "$line"
live_end
' "$root" "$build/bin/opalhost.exe" "$palettes" "$seconds" "$hover" || exit
done
