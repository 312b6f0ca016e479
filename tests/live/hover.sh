#!/bin/bash
# Panels opaque under the pointer, on the real screen: with the option on, the
# real pointer (xdotool) entering a palette at 40 % makes its X window's
# _NET_WM_WINDOW_OPACITY 0xfefefefe, and the screen shows it as it is with
# opacity off; leaving, it is back at 0x66666666; entering and leaving again
# do the same. The fades take 120 and 300 ms; each check allows 2 s, for a
# loaded machine (tools/bench/live-hover.sh measures the times).
#
#   hover.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1
live_start "$exe"
shots=$LIVE
xdotool mousemove 1270 1015
send "palette Layout at 120 150" "panel Pages in Layout" "panel Layers in Layout" \
  "palette Colour at 300 400" "panel Swatches in Colour" "open opal" "place Opal 760 120" \
  "menu" "menu \"Make panels opaque under the pointer\"" "press onoff" "print places"
live_sync
read -r x y w h <<<"$(place palette Layout)"
[ -n "$h" ] || fail "no place of Layout"
# settles NAME VALUE: the palette's opacity is VALUE within 2 s.
settles() {
  for _ in $(seq 40); do [ "$(opacity "$1")" = "$2" ] && return 0; sleep 0.05; done
  [ "$(opacity "$1")" = "$2" ]
}
region() { convert "$1" -crop "$((w - 8))x$((h - 8))+$((x + 4))+$((y + 4))" +repage "$2"; }
# A: opacity off, every palette opaque (alpha 254).
mark; send "print windows"; live_sync
wait_for '^window Layout .* alpha=254$' 1
sleep 0.6
import -window root "$shots/A.png" || fail "import A"
# Every panel: a palette takes the largest opacity of its panels.
send "press onoff" "select Pages Layers Swatches" "type 40"
live_sync
until_output '^window Layout .* alpha=102$' "print windows"
settles Layout 0x66666666 || fail "Layout: opacity $(opacity Layout) before the pointer came"

# Entering: opaque, and the screen shows it opaque.
xdotool mousemove $((x + w / 2)) $((y + h / 2))
settles Layout 0xfefefefe || fail "Layout 2 s after the pointer entered: $(opacity Layout)"
sleep 0.2 # the compositor's next frame
[ "$(opacity Colour)" = 0x66666666 ] || fail "Colour changed without the pointer: $(opacity Colour)"
import -window root "$shots/B.png" || fail "import B"
region "$shots/A.png" "$shots/a.png"
region "$shots/B.png" "$shots/b.png"
diff=$(compare -metric AE -fuzz 2% "$shots/a.png" "$shots/b.png" null: 2>&1)
[ "${diff%% *}" = 0 ] || fail "Layout under the pointer differs from opaque in $diff pixels"
pass "the pointer entering makes the palette opaque, on the X window and the screen"

# Leaving: back at 40 %.
xdotool mousemove 1270 1015
settles Layout 0x66666666 || fail "Layout 2 s after the pointer left: $(opacity Layout)"
pass "the pointer leaving brings the palette back to 40 %"

# Entering again: the leave tracking is asked for anew. A few pixels off the
# first place: Wine keeps the last position it saw inside its own windows, so
# a pointer jumping back to that very pixel is no move to it and no
# WM_MOUSEMOVE is posted (a real pointer moves on and is seen at once).
xdotool mousemove $((x + w / 2 + 7)) $((y + h / 2 + 3))
settles Layout 0xfefefefe || fail "Layout 2 s after the pointer entered again: $(opacity Layout)"
xdotool mousemove 1270 1015
settles Layout 0x66666666 || fail "Layout 2 s after the pointer left again: $(opacity Layout)"
pass "the pointer entering and leaving again does the same"
live_end || fail "the session ended with status $?"
