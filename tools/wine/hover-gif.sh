#!/bin/bash
# The moving picture of panels opaque under the pointer (docs/opal-hover.gif):
# opalhost.exe --live of the Windows build on Xvfb with picom, two palettes at
# 40 % over the page and the option on; the pointer (xdotool) passes over one,
# then the other, then back onto the page, and each palette fades to solid and
# back. frame-grab.c (built here, like the benchmarks' probe: gcc, libx11-dev)
# reads the palettes' part of the real screen every 25 ms and keeps each frame
# that changed, with its time and the pointer's place; each is shown for as
# long as it was on the screen, with the pointer, which a picture of an X
# screen leaves out, drawn in where it was. ImageMagick assembles the GIF.
#
#   tools/wine/hover-gif.sh [FILE.gif]   (default opal-hover.gif)
#
# Build first: cmake --preset native && cmake --build --preset native &&
#              cmake --preset windows && cmake --build --preset windows
# OPAL_BUILD_DIR names another Windows build folder.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${OPAL_BUILD_DIR:-$root/build/windows}
exe=$build/bin/opalhost.exe
grab=$build/frame-grab

# The part of the screen shown, and where the pointer starts (on the page).
crop="50 50 500 420"
start="190 370"

if [ "${1-}" != --frames ]; then
  case ${1-} in -h | --help) sed -n '2,/^set -u/p' "$0" | sed -e '/^set -u/d' -e 's/^# \{0,1\}//'; exit 0 ;; esac
  [ $# -le 1 ] || { echo "hover-gif.sh: one argument at most, the picture (--help)" >&2; exit 2; }
  out=$(realpath -m "${1:-opal-hover.gif}")
  [ -f "$exe" ] || { echo "hover-gif.sh: no $exe; build the windows preset first" >&2; exit 2; }
  if [ ! -x "$grab" ] || [ "$root/tools/wine/frame-grab.c" -nt "$grab" ]; then
    cc -O2 -Wall -Wextra -Werror -o "$grab" "$root/tools/wine/frame-grab.c" -lX11 ||
      { echo "hover-gif.sh: cannot build frame-grab (tools/install-deps.sh bench)" >&2; exit 2; }
  fi
  frames=$(mktemp -d) || exit 2
  trap 'rm -rf "$frames"' EXIT
  "$root/tools/wine/run-live.sh" "$build" bash "$0" --frames "$exe" "$frames" || exit
  read -r crop_x crop_y _ <<<"$crop"
  mapfile -t list <"$frames/list"
  [ ${#list[@]} -ge 3 ] || { echo "hover-gif.sh: no frames taken" >&2; exit 1; }
  # Each frame with the pointer drawn at its place, shown until the next; the
  # last one a while longer before it all starts again.
  args=()
  for ((i = 0; i + 1 < ${#list[@]}; ++i)); do
    read -r file stamp x y <<<"${list[$i]}"
    read -r _ next _ <<<"${list[$((i + 1))]}"
    delay=$(((next - stamp + 5000000) / 10000000)) # centiseconds
    ((i + 2 < ${#list[@]})) || delay=150
    ((delay >= 2)) || delay=2 # viewers show shorter delays as 10
    x=$((x - crop_x)) y=$((y - crop_y))
    convert "$frames/$file" -fill black -stroke white -strokewidth 1 -draw "polygon \
      $x,$y $x,$((y + 16)) $((x + 4)),$((y + 12)) $((x + 7)),$((y + 19)) \
      $((x + 9)),$((y + 18)) $((x + 6)),$((y + 11)) $((x + 11)),$((y + 11))" \
      "$frames/c$i.png" || exit 1
    args+=(-delay "$delay" "$frames/c$i.png")
  done
  # One colour table for every frame (+remap, dithered for the picture's
  # sunset), so that -layers Optimize keeps little more than what changed.
  convert "${args[@]}" +remap -loop 0 -layers Optimize "$out" || exit 1
  echo "hover-gif.sh: wrote $out ($((${#list[@]} - 1)) frames, $(($(stat -c %s "$out") / 1024)) KB)"
  exit 0
fi

# Inside run-live.sh: the session, the pointer's way and the frames.
exe=$2 frames=$3
. "$root/tests/live/lib.sh"
# shellcheck disable=SC2086 # "X Y"
xdotool mousemove $start
live_start "$exe"
send "palette Layout at 330 70" "panel Pages in Layout" "panel Layers in Layout" \
  "palette Colour at 250 300" "panel Swatches in Colour" "panel Gradient in Colour" \
  "open opal" "place Opal 760 120" "select Pages Layers Swatches Gradient" "type 40" \
  "menu" "menu \"Make panels opaque under the pointer\"" "print places"
live_sync
until_output '^window Colour .* alpha=102$' "print windows"
for _ in $(seq 40); do [ "$(opacity Colour)" = 0x66666666 ] && break; sleep 0.05; done
sleep 1 # picom caught up

# shellcheck disable=SC2086 # "X Y W H"
"$grab" $crop 25 "$frames" &
grabbing=$!
glide() { # the pointer to X Y in 12 steps over about 0.4 s
  local i x0=$px y0=$py
  for i in $(seq 12); do
    px=$((x0 + ($1 - x0) * i / 12)) py=$((y0 + ($2 - y0) * i / 12))
    xdotool mousemove "$px" "$py"
    sleep 0.03
  done
}
read -r sx sy <<<"$start"
px=$sx py=$sy
read -r lx ly <<<"$(centre palette Layout)"
read -r cx cy <<<"$(centre palette Colour)"
sleep 0.8
glide "$lx" "$((ly + 10))"
sleep 1.2
glide "$cx" "$((cy + 20))"
sleep 1.2
glide "$((sx + 130))" "$((sy - 140))"
sleep 1.2
kill -TERM "$grabbing"
wait "$grabbing" || fail "frame-grab failed"
live_end || fail "the session ended with status $?"
