#!/bin/bash
# The window system itself blends a translucent palette with what is behind
# it: for each palette, at points inside it, a picture of the real screen at
# alpha a (B) is a × the palette shown opaque (A, opacity off: alpha 254)
# plus (1 - a) × the screen with the palette hidden (C), each channel within
# 3; and the window carries _NET_WM_WINDOW_OPACITY = alpha × 0x01010101.
#
#   pixels.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1
live_start "$exe"
shots=$LIVE
send "palette Layout at 120 150" "panel Pages in Layout" "panel Layers in Layout" \
  "palette Colour at 300 400" "panel Swatches in Colour" "open opal" "place Opal 760 120"
live_sync

shoot() { sleep 0.6; import -window root "$shots/$1.png" || fail "import $1"; }

# C: both palettes hidden.
send "hide Pages" "hide Swatches"
live_sync
shoot C
# A: shown, opacity off (alpha 254).
send "show Pages" "show Swatches" "press onoff"
live_sync
sleep 0.6 # the timer may still schedule opacity
mark; send "print windows"; live_sync
wait_for '^window Layout .* alpha=254$' 1
wait_for '^window Colour .* alpha=254$' 1
for p in Layout Colour; do
  [ "$(opacity $p)" = 0xfefefefe ] || fail "$p: _NET_WM_WINDOW_OPACITY $(opacity $p) at alpha 254"
done
shoot A
# B: on, Layout at 40 % (alpha 102), Colour at 60 % (alpha 153).
send "press onoff" "select Pages" "type 40" "select Swatches" "type 60"
live_sync
mark; send "print windows" "print places"; live_sync
wait_for '^window Layout .* alpha=102$' 1
wait_for '^window Colour .* alpha=153$' 1
[ "$(opacity Layout)" = 0x66666666 ] || fail "Layout: opacity $(opacity Layout), not 0x66666666"
[ "$(opacity Colour)" = 0x99999999 ] || fail "Colour: opacity $(opacity Colour), not 0x99999999"
shoot B

# Points on a 5 × 5 grid inside each palette, clear of its edge.
check() {
  local name=$1 alpha=$2 x y w h i j px py a b c k bad=0
  read -r x y w h <<<"$(place palette "$name")"
  [ -n "$h" ] || fail "no place of $name"
  for i in 1 2 3 4 5; do
    for j in 1 2 3 4 5; do
      px=$((x + 3 + (w - 6) * i / 6)) py=$((y + 3 + (h - 6) * j / 6))
      read -r -a a <<<"$(pixel "$shots/A.png" $px $py)"
      read -r -a b <<<"$(pixel "$shots/B.png" $px $py)"
      read -r -a c <<<"$(pixel "$shots/C.png" $px $py)"
      for k in 0 1 2; do
        # Expected B × 255 = alpha × A + (255 - alpha) × C; within 3 of 255ths.
        local want=$((alpha * a[k] + (255 - alpha) * c[k])) got=$((255 * b[k]))
        local diff=$((got > want ? got - want : want - got))
        if [ $diff -gt $((3 * 255)) ]; then
          echo "$name ($px,$py) channel $k: A=${a[k]} C=${c[k]} B=${b[k]}, want $((want / 255))" >&2
          bad=1
        fi
      done
    done
  done
  [ $bad = 0 ] || fail "$name at alpha $alpha is not blended by the window system"
  # The palette must differ from the screen behind it, or the proof proves nothing.
  [ "$(convert "$shots/A.png" -crop "${w}x${h}+$x+$y" +repage -format %# info:)" != \
    "$(convert "$shots/C.png" -crop "${w}x${h}+$x+$y" +repage -format %# info:)" ] ||
    fail "$name: the screen looks the same with the palette hidden"
  pass "$name blended at alpha $alpha"
}
check Layout 102
check Colour 153
live_end || fail "the session ended with status $?"
