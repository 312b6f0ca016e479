#!/bin/bash
# Run a command beside plain Wine on a real X desktop: Xvfb, with picom (xrender
# backend) as the compositor and no window manager, and a Wine prefix without
# the virtual desktop of run-wine.sh, so that every top-level window is an X
# window of its own and the compositor blends it by its _NET_WM_WINDOW_OPACITY.
#
#   run-live.sh BUILD_DIR COMMAND [ARGS...]
#   run-live.sh --up BUILD_DIR STATE_DIR     (a desktop left running for several commands)
#   run-live.sh --down STATE_DIR
#
# With OPAL_LIVE_STATE=STATE_DIR, COMMAND runs on the desktop that --up left
# running (Xvfb, picom, one Wine server kept warm between commands, the
# prefix's lock held until --down): the tests share its start-up. A window
# manager of OPAL_LIVE_WM=openbox is then started for COMMAND alone.
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
here=$(cd "$(dirname "$0")" && pwd)
mode=run
case ${1-} in
--up) mode=up; shift ;;
--down)
  state=${2:?usage: $me --down STATE_DIR}
  [ -f "$state/env" ] || exit 0
  . "$state/env"
  "$WINESERVER" -k >/dev/null 2>&1
  for pid in $OPAL_LIVE_COMPOSITOR_PID $OPAL_LIVE_XVFB_PID $OPAL_LIVE_LOCK_PID; do
    kill "$pid" 2>/dev/null
  done
  rm -rf "$state"
  exit 0 ;;
esac
[ $# -ge 2 ] || fail "usage: $me BUILD_DIR COMMAND [ARGS...]"
build_dir=$1; shift
own=${OPAL_LIVE_DISPLAY:-}
wm=${OPAL_LIVE_WM:-}
shared=${OPAL_LIVE_STATE:-}
if [ $mode = run ] && [ -n "$shared" ]; then
  [ -f "$shared/env" ] || fail "no desktop at $shared (run-live.sh --up)"
  . "$shared/env"
  wm_pid=
  cleanup() { [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; wait 2>/dev/null; }
  trap cleanup EXIT
  trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP
  case $wm in
  '') ;;
  openbox)
    openbox --config-file /dev/null >"$shared/wm.log" 2>&1 &
    wm_pid=$!
    # Managing from the moment it has taken the screen.
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done ;;
  *) fail "OPAL_LIVE_WM=$wm needs a desktop of its own (no OPAL_LIVE_STATE)" ;;
  esac
  export OPAL_LIVE_WM=$wm
  timeout -k 10 "${OPAL_WINE_TIMEOUT:-300}" "$@"
  exit
fi
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

if [ $mode = up ]; then
  tmp=${1:?usage: $me --up BUILD_DIR STATE_DIR}
  mkdir -p "$tmp" || fail "cannot make $tmp"
  tmp=$(cd "$tmp" && pwd)
  [ "$wm" != xfwm4 ] || fail "a shared desktop has picom, not xfwm4's compositor"
  wm=
else
  tmp=$(mktemp -d) || fail "no temporary folder"
fi
xvfb_pid= picom_pid= wm_pid= bus_pid=
cleanup() {
  "$WINESERVER" -k >/dev/null 2>&1 9>&-
  [ -n "$picom_pid" ] && kill "$picom_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  # What the bus started for xfwm4 (xfconfd, the accessibility bus) ends
  # with it.
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
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
  8>"$tmp/display" 9>&- </dev/null >/dev/null 2>"$tmp/xvfb.log" &
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
  # Its own compositor, no session manager; its settings (xfconf) are read
  # over a D-Bus session bus of its own, without which it does not start.
  bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 9>&- </dev/null) ||
    fail "no D-Bus session bus for xfwm4"
  export DBUS_SESSION_BUS_ADDRESS=${bus%%$'\n'*}
  bus_pid=${bus##*$'\n'}
  env -u SESSION_MANAGER xfwm4 --compositor=on --sm-client-disable 9>&- >"$tmp/wm.log" 2>&1 &
  wm_pid=$! ;;
esac
if [ "$wm" != xfwm4 ]; then
  picom --backend xrender --no-fading-openclose --config /dev/null 9>&- </dev/null >/dev/null \
    2>"$tmp/picom.log" &
  picom_pid=$!
fi
export OPAL_LIVE_COMPOSITOR_PID=${picom_pid:-$wm_pid}
# The compositor needs a moment to take the screen over; a picture taken
# before would show windows uncomposited.
sleep 1
[ -z "$picom_pid" ] || kill -0 "$picom_pid" 2>/dev/null ||
  { cat "$tmp/picom.log" >&2; fail "picom did not start"; }
[ -z "$wm_pid" ] || kill -0 "$wm_pid" 2>/dev/null || { cat "$tmp/wm.log" >&2; fail "$wm did not start"; }

if [ $mode = up ]; then
  # The lock is held by a sleeper until --down; the Wine server stays, warm
  # (its services and desktop process started once), until --down.
  sleep 100000 </dev/null >/dev/null 2>&1 &
  lock_pid=$!
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 9>&-
  "$WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-
  {
    for v in DISPLAY WINEPREFIX WINE WINESERVER WINEDEBUG OPAL_LIVE_XVFB_PID OPAL_LIVE_COMPOSITOR_PID; do
      printf 'export %s=%q\n' $v "${!v}"
    done
    printf 'export OPAL_LIVE_LOCK_PID=%q\n' "$lock_pid"
    [ -z "${WINELOADER-}" ] || printf 'export WINELOADER=%q\n' "$WINELOADER"
  } >"$tmp/env"
  trap - EXIT
  exit 0
fi

timeout -k 10 "${OPAL_WINE_TIMEOUT:-300}" "$@" 9>&-
