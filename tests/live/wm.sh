#!/bin/bash
# Under a window manager (OPAL_LIVE_WM): a move the manager makes is the
# host's own (`print places` follows, nothing snaps back), a close request
# hides the palette and `show` brings it back, and a new palette opens above
# the older ones.
#
#   wm.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh with OPAL_LIVE_WM set)
. "$(dirname "$0")/lib.sh"
exe=$1
[ -n "${OPAL_LIVE_WM-}" ] || fail "no window manager (OPAL_LIVE_WM)"
command -v wmctrl >/dev/null || fail "wmctrl not found (tools/install-deps.sh windows)"
live_start "$exe"
send "palette Layout at 120 150" "panel Pages in Layout" \
  "palette Type at 400 150" "panel Character in Type" "print places"
live_sync
sleep 1
id=$(window_of Layout)
[ -n "$id" ] || fail "no X window for Layout"

# The manager's move: the host takes it, and it stays after the host's next change.
wmctrl -i -r "$id" -e 0,300,420,-1,-1
until_output '^place palette "Layout" 300 420 ' "print places"
send "front Pages"
live_sync
sleep 0.5
read -r wx wy < <(xwininfo -id "$id" | sed -nE 's/.*Absolute upper-left [XY]: *(-?[0-9]+)/\1/p' |
  tr '\n' ' ')
[ "$wx $wy" = "300 420" ] || fail "Layout snapped back to $wx $wy"
pass "$OPAL_LIVE_WM: a move by the window manager is the host's"

# A close request hides the palette; `show` brings it back.
wmctrl -i -c "$id"
until_output '^window Layout .* hidden' "print windows"
send "show Pages"
until_output '^window Layout .* shown' "print windows"
pass "$OPAL_LIVE_WM: a close request hides the palette, show brings it back"

# A new palette opens above the older ones it overlaps.
send "palette Newer at 420 170" "panel Links in Newer"
live_sync
sleep 1
hex() { printf '0x%x' "$1"; }
newer=$(window_of Newer) type=$(window_of Type)
[ -n "$newer" ] && [ -n "$type" ] || fail "no X window for Newer or Type"
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ' ' | tr ',' '\n')
at() { grep -n -x "$(hex "$1")" <<<"$stack" | cut -d: -f1; }
n=$(at "$newer") t=$(at "$type")
[ -n "$n" ] && [ -n "$t" ] || fail "palettes not in the manager's stacking list: $stack"
[ "$n" -gt "$t" ] || fail "Newer ($n) is below Type ($t) in the stacking order"
pass "$OPAL_LIVE_WM: a new palette opens above the older ones"
live_end || fail "the session ended with status $?"
