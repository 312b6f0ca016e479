#!/bin/bash
# Opal live, for a person: opalhost.exe --live of the Windows build under plain
# Wine, every palette a window of your own X display.
#
#   tools/wine/live.sh [--shot FILE.png] [--workspace FILE] [--script FILE] [--plugin FILE]
#   tools/wine/live.sh --help
#
# On your display ($DISPLAY), picom (xrender backend) is started for the
# session when no compositor runs, so that translucent palettes show as such;
# type commands into the terminal or use the windows.
# Without a display (or with --shot), the session runs on Xvfb with picom: a
# short story is played (palettes over the page, some translucent, the Opal
# panel open), the real screen is saved as FILE.png (default opal-live.png)
# and the session ends.
# Build first: cmake --preset native && cmake --build --preset native &&
#              cmake --preset windows && cmake --build --preset windows
set -u
usage() { sed -n '2,/^set -u/p' "$0" | sed -e '/^set -u/d' -e 's/^# \{0,1\}//'; }
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${OPAL_BUILD_DIR:-$root/build/windows}
exe=$build/bin/opalhost.exe
shot=
args=()
while [ $# -gt 0 ]; do
  case $1 in
  -h | --help) usage; exit 0 ;;
  --shot) [ $# -ge 2 ] || { echo "live.sh: --shot needs FILE.png" >&2; exit 2; }
    shot=$2; shift 2 ;;
  --workspace | --script | --plugin)
    [ $# -ge 2 ] || { echo "live.sh: $1 needs a value" >&2; exit 2; }
    [ "$1 $2" != "--script -" ] || { echo "live.sh: --script - cannot be used (standard input is the session's)" >&2; exit 2; }
    args+=("$1" "$2"); shift 2 ;;
  *) echo "live.sh: unknown option $1 (live.sh --help)" >&2; exit 2 ;;
  esac
done
set -- "${args[@]}"
[ -f "$exe" ] || { echo "live.sh: no $exe; build the windows preset first" >&2; exit 2; }

compositor_runs() {
  pgrep -x -u "$(id -u)" 'picom|compton|xcompmgr|kwin_x11|gnome-shell|mutter|marco|muffin|compiz' \
    >/dev/null
}

if [ -z "$shot" ] && [ -n "${DISPLAY-}" ] && xdpyinfo >/dev/null 2>&1; then
  picom_pid=
  if ! compositor_runs; then
    picom --backend xrender --config /dev/null >/dev/null 2>&1 &
    picom_pid=$!
  fi
  OPAL_LIVE_DISPLAY=own "$root/tools/wine/run-live.sh" "$build" \
    sh -c 'exec "$WINE" "$0" --live "$@"' "$exe" "$@"
  rc=$?
  [ -n "$picom_pid" ] && kill "$picom_pid" 2>/dev/null
  exit $rc
fi

shot=$(realpath -m "${shot:-opal-live.png}")
story=$(mktemp) || exit 2
trap 'rm -f "$story"' EXIT
cat >"$story" <<'STORY'
palette Layout at 330 70
panel Pages in Layout
panel Layers in Layout
panel Links in Layout
palette Colour at 250 300
panel Swatches in Colour
panel Color in Colour
panel Gradient in Colour
palette Type at 560 40
panel Character in Type
panel Paragraph in Type
open opal
place Opal 660 330
select Links
type 60
select Gradient
type 35
select Paragraph
say ready
STORY
"$root/tools/wine/run-live.sh" "$build" bash -c '
  exec 7> >(exec "$WINE" "$0" --live --workspace "$3.workspace" --script "$1" "${@:4}" >"$3.out")
  session=$!
  # The story played (its last line answers), then the timer run and picom caught up.
  for _ in $(seq 1200); do
    grep -q "^# ready" "$3.out" 2>/dev/null && break
    kill -0 "$session" 2>/dev/null || break
    sleep 0.05
  done
  sleep 1.5
  if ! kill -0 "$session" 2>/dev/null; then
    echo "live.sh: the session ended before its picture was taken" >&2
    rm -f "$3.workspace" "$3.out"
    exit 1
  fi
  import -window root -crop 990x690+0+0 +repage "$2" || exit 1
  echo quit >&7
  exec 7>&-
  wait
  rm -f "$3.workspace" "$3.out"' "$exe" "$story" "$shot" "$story" "$@" &&
  echo "live.sh: wrote $shot"
