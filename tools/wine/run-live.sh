#!/bin/bash
# Run a command beside plain Wine on a real X desktop: Xvfb, with picom (xrender
# backend) as the compositor and no window manager, and a Wine prefix without
# the virtual desktop of run-wine.sh, so that every top-level window is an X
# window of its own and the compositor blends it by its _NET_WM_WINDOW_OPACITY.
#
#   run-live.sh BUILD_DIR COMMAND [ARGS...]
#
# With OPAL_LIVE_WM=openbox, openbox manages the windows (picom composites);
# with OPAL_LIVE_WM=xfwm4, xfwm4 manages and composites them (no picom).
#
# With OPAL_LIVE_DISPLAY=own, the caller's DISPLAY is used as it is (no Xvfb, no
# picom: tools/wine/live.sh sees to a compositor there).
#
# COMMAND runs with DISPLAY, WINEPREFIX, WINE and WINESERVER set (the prefix is
# BUILD_DIR/wineprefix-live, made through run-wine.sh --init the first time);
# the exit status is its own, 124 after $OPAL_WINE_TIMEOUT seconds (default
# 300), 125 when the desktop could not be set up. The prefix's lock is held
# throughout, as run-wine.sh does.
set -u
me=run-live.sh
fail() { echo "$me: $*" >&2; exit 125; }
[ $# -ge 2 ] || fail "usage: $me BUILD_DIR COMMAND [ARGS...]"
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1; shift
own=${OPAL_LIVE_DISPLAY:-}
wm=${OPAL_LIVE_WM:-}
case $wm in '' | openbox | xfwm4) ;; *) fail "OPAL_LIVE_WM: openbox or xfwm4, not $wm" ;; esac
for tool in Xvfb picom xdotool import xprop xwininfo $wm; do
  command -v $tool >/dev/null || fail "$tool not found (tools/install-deps.sh windows)"
done
mkdir -p "$build_dir" || fail "cannot make $build_dir"
prefix=$(cd "$build_dir" && pwd)/wineprefix-live
OPAL_WINEPREFIX=$prefix "$here/run-wine.sh" --init "$build_dir" || exit 125
export WINEPREFIX=$prefix
export WINE=${WINE:-$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)}
export WINESERVER=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}
export WINEDEBUG=${OPAL_WINEDEBUG:--all}
case $WINE in */wine64) export WINELOADER=${WINELOADER:-$WINE} ;; esac

exec 9>>"$prefix.lock" || fail "cannot open $prefix.lock"
flock 9 || fail "cannot lock $prefix.lock"
# The prefix of run-wine.sh, without its virtual desktop (once per made prefix).
if ! cmp -s "$prefix/.opal-prefix" "$prefix/.opal-live" 2>/dev/null; then
  env -u DISPLAY "$WINE" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 9>&-
  "$WINESERVER" -w 9>&-
  cp "$prefix/.opal-prefix" "$prefix/.opal-live"
fi

tmp=$(mktemp -d) || fail "no temporary folder"
xvfb_pid= picom_pid= wm_pid=
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 9>&-
  [ -n "$picom_pid" ] && kill "$picom_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP

if [ "$own" = own ]; then
  timeout -k 10 "${OPAL_WINE_TIMEOUT:-0}" "$@" 9>&-
  exit
fi

Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp +extension Composite \
  8>"$tmp/display" 9>&- 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
[ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=:$(head -1 "$tmp/display")
export OPAL_LIVE_WM=$wm
# For the benchmarks: the processes of the desktop.
export OPAL_LIVE_XVFB_PID=$xvfb_pid
case $wm in
openbox)
  openbox --config-file /dev/null 9>&- >"$tmp/wm.log" 2>&1 &
  wm_pid=$! ;;
xfwm4)
  # Its own compositor, no session manager.
  env -u SESSION_MANAGER xfwm4 --compositor=on --sm-client-disable 9>&- >"$tmp/wm.log" 2>&1 &
  wm_pid=$! ;;
esac
if [ "$wm" != xfwm4 ]; then
  picom --backend xrender --no-fading-openclose --config /dev/null 9>&- 2>"$tmp/picom.log" &
  picom_pid=$!
fi
export OPAL_LIVE_COMPOSITOR_PID=${picom_pid:-$wm_pid}
# The compositor needs a moment to take the screen over; a picture taken
# before would show windows uncomposited.
sleep 1
[ -z "$picom_pid" ] || kill -0 "$picom_pid" 2>/dev/null ||
  { cat "$tmp/picom.log" >&2; fail "picom did not start"; }
[ -z "$wm_pid" ] || kill -0 "$wm_pid" 2>/dev/null || { cat "$tmp/wm.log" >&2; fail "$wm did not start"; }

timeout -k 10 "${OPAL_WINE_TIMEOUT:-300}" "$@" 9>&-
