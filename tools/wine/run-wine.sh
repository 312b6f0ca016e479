#!/bin/bash
# Run a program of the Windows (MinGW-w64) build under Wine, on a virtual X display.
#
#   run-wine.sh BUILD_DIR PROGRAM [ARGS...]   run PROGRAM (a Unix path to a .exe)
#   run-wine.sh --init BUILD_DIR              only make the Wine prefix
#   run-wine.sh --up BUILD_DIR STATE_DIR      a desktop left running for several runs
#   run-wine.sh --down STATE_DIR              end it
#
# - The Wine prefix is BUILD_DIR/wineprefix (or $OPAL_WINEPREFIX). It is made on first
#   use (about 6-10 s, about 700 MB) and redone only when the Wine version or the
#   settings of this script change; its log is kept in PREFIX.log and shown only if
#   making it fails. Safe to call concurrently.
# - Every run in one prefix holds the lock PREFIX.lock, from making the prefix to the end
#   of the run: one prefix has one wineserver, and the wineserver is tied to the X
#   display of the run that started it, so two runs must never overlap in one prefix.
#   Concurrent callers wait for each other; use separate prefixes to run in parallel.
# - The program runs as `xvfb-run -a wine PROGRAM ARGS...` with WINEDEBUG=-all (or
#   $OPAL_WINEDEBUG). Standard input, output and error are the caller's, untouched:
#   the program itself must put its standard streams in binary mode, or the C runtime
#   turns each "\n" it writes into "\r\n" (see cmake/OpalWindows.md).
# - Exit status: the program's own (Wine passes the low 8 bits of the exit code; an
#   unhandled exception such as an access violation 0xC0000005 gives 5, with Wine's
#   backtrace on standard error). 124 if the run took longer than $OPAL_WINE_TIMEOUT
#   seconds (default 600 when standard input is not a terminal, none on a terminal;
#   0 disables it). 125 if the wrapper itself failed (missing tool, prefix not made).
#   129, 130, 143 if this script got SIGHUP, SIGINT, SIGTERM: it then ends the program,
#   Wine and the X server before it exits.
# - After the program ends, the prefix's remaining Wine processes (explorer, services)
#   are killed before the X server stops, so nothing of theirs reaches the caller.
#
# A series of runs can share one start-up (a short program's run then takes about 0.5 s
# instead of 2.5 s): --up makes the prefix, takes its lock, and leaves an X server and
# the prefix's wineserver running, warm (services and the virtual desktop's explorer
# started once), until --down. With OPAL_WINE_STATE=STATE_DIR a run uses them instead of
# its own: the program runs on that display, with the same timeout, exit status and
# standard streams; what it started and left running is ended when it ends. Such runs
# take no lock themselves (--up holds it): keep them apart by other means (a CTest
# RESOURCE_LOCK). --down ends the Wine processes, the X server and the lock.
set -u

me="run-wine.sh"
fail() { echo "$me: $*" >&2; exit 125; }

if [ "${1-}" = "--down" ]; then
  state=${2:-}
  [ -n "$state" ] || fail "usage: $me --down STATE_DIR"
  [ -f "$state/env" ] || exit 0
  # shellcheck disable=SC1091
  . "$state/env"
  # The Wine processes first, while their X server still runs (see the run below), then
  # the X server, then the lock.
  WINEPREFIX=$OPAL_WINE_DESKTOP_PREFIX "$OPAL_WINE_DESKTOP_SERVER" -k >/dev/null 2>&1
  WINEPREFIX=$OPAL_WINE_DESKTOP_PREFIX "$OPAL_WINE_DESKTOP_SERVER" -w >/dev/null 2>&1
  # Only if the process is still what it was (the state may be from an earlier boot);
  # then until it has ended (a zombie, its parent gone, is reaped when init gets to it).
  end() {
    local stat
    [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$2" ] && kill "$1" 2>/dev/null || return
    for _ in $(seq 200); do
      read -r stat <"/proc/$1/stat" 2>/dev/null || return
      case $stat in *") Z "* | *") X "*) return ;; esac
      sleep 0.05
    done
  }
  end "$OPAL_WINE_DESKTOP_XVFB" Xvfb
  end "$OPAL_WINE_DESKTOP_LOCK" sleep
  rm -rf "$state"
  exit 0
fi

mode=run
case ${1-} in
--init) mode=init; shift ;;
--up) mode=up; shift ;;
esac
[ $# -ge 1 ] || fail "usage: $me BUILD_DIR PROGRAM [ARGS...] | $me --init BUILD_DIR"
build_dir=$1; shift
case $mode in
run)
  [ $# -ge 1 ] || fail "usage: $me BUILD_DIR PROGRAM [ARGS...]"
  case $1 in */*) [ -f "$1" ] || fail "no such program: $1" ;; esac ;;
up)
  [ $# = 1 ] || fail "usage: $me --up BUILD_DIR STATE_DIR"
  state=$1 ;;
esac
shared=
[ $mode = run ] && shared=${OPAL_WINE_STATE:-}

# The tools. Debian's `wine` package gives /usr/bin/wine and /usr/bin/wineserver; with
# only `wine64` installed they exist only in /usr/lib/wine.
wine=${WINE:-$(command -v wine || command -v wine64 || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; })}
wineserver=${WINESERVER:-$(command -v wineserver || { [ -x /usr/lib/wine/wineserver ] && echo /usr/lib/wine/wineserver; })}
[ -n "$wine" ] || fail "wine not found (apt-get install wine wine64)"
[ -n "$wineserver" ] || fail "wineserver not found (apt-get install wine wine64)"
command -v flock >/dev/null || fail "flock not found (apt-get install util-linux)"
case $mode in
run)
  if [ -z "$shared" ]; then
    command -v xvfb-run >/dev/null || fail "xvfb-run not found (apt-get install xvfb xauth)"
    command -v xauth >/dev/null || fail "xauth not found (apt-get install xauth)"
  fi ;;
up) command -v Xvfb >/dev/null || fail "Xvfb not found (apt-get install xvfb)" ;;
esac

mkdir -p "$build_dir" || fail "cannot make $build_dir"
prefix=${OPAL_WINEPREFIX:-$(cd "$build_dir" && pwd)/wineprefix}
case $prefix in /*) ;; *) prefix=$(pwd)/$prefix ;; esac
mkdir -p "$(dirname "$prefix")" || fail "cannot make the parent of $prefix"
export WINEPREFIX=$prefix
export WINEDEBUG=${OPAL_WINEDEBUG:--all}
# Debian's /usr/bin/wine script sets this for the bare loader; do the same without it.
case $wine in */wine64) export WINELOADER=${WINELOADER:-$wine} ;; esac
export WINESERVER=$wineserver
timeout_s=${OPAL_WINE_TIMEOUT:-}
if [ -z "$timeout_s" ]; then
  if [ -t 0 ]; then timeout_s=0; else timeout_s=600; fi
fi
export OPAL_RUN_TIMEOUT=$timeout_s

# await_run [AFTER...]: waits for the run started as $child at $start; on a
# signal ends it with end_run and exits 128 + the signal, otherwise runs AFTER
# and exits with the run's status.
await_run() {
  # shellcheck disable=SC2317 # called by the traps
  on_signal() {
    trap '' HUP INT TERM
    end_run
    wait "$child" 2>/dev/null
    exit $((128 + $1))
  }
  trap 'on_signal 1' HUP
  trap 'on_signal 2' INT
  trap 'on_signal 15' TERM
  wait "$child"
  local rc=$?
  "$@"
  if [ $rc = 124 ] && [ "$timeout_s" != 0 ] && [ $((SECONDS - start)) -ge "$timeout_s" ]; then
    echo "$me: timed out after ${timeout_s}s" >&2
  fi
  exit $rc
}

if [ -n "$shared" ]; then
  [ -f "$shared/env" ] || fail "no desktop at $shared (run-wine.sh --up)"
  # shellcheck disable=SC1091
  . "$shared/env"
  [ "$OPAL_WINE_DESKTOP_PREFIX" = "$prefix" ] ||
    fail "the desktop at $shared is for $OPAL_WINE_DESKTOP_PREFIX, not $prefix"
  kill -0 "$OPAL_WINE_DESKTOP_XVFB" 2>/dev/null || fail "the desktop at $shared is gone"
  export DISPLAY=$OPAL_WINE_DESKTOP_DISPLAY
  # What the program starts and leaves running (a child, a crash's debugger) ends with
  # it, as the wineserver's end ends it below. Wine gives such processes sessions of
  # their own (a new console), but they inherit the environment: a mark in it finds them.
  mark=OPAL_WINE_RUN=$$.$RANDOM.$SECONDS
  # shellcheck disable=SC2317 # called by await_run
  end_run() {
    local file pid
    while read -r file; do
      pid=${file#/proc/}
      kill -KILL "${pid%/environ}" 2>/dev/null
    done < <(grep -lsxzF "$mark" /proc/[0-9]*/environ)
  }
  run=(env "$mark" "$wine" "$@")
  [ "$timeout_s" = 0 ] || run=(timeout -k 10 "$timeout_s" "${run[@]}")
  start=$SECONDS
  # In a session of its own, as below.
  setsid -w "${run[@]}" 0<&0 &
  child=$!
  await_run end_run
fi

# Hold the prefix's lock until this script ends; programs started from here must not
# inherit it (9>&-), or a lingering process would keep it.
exec 9>>"$prefix.lock" || fail "cannot open $prefix.lock"
flock 9 || fail "cannot lock $prefix.lock"

marker=$prefix/.opal-prefix
desktop_size=1280x1024
# Bump the last word when the settings below change, so that prefixes are redone.
want="$("$wine" --version 2>/dev/null) uid=$(id -u) settings=2"
if [ ! -f "$marker" ] || [ "$(cat "$marker")" != "$want" ]; then
  log=$prefix.log
  {
    echo "== $(date -u +%FT%TZ) making $prefix for $want"
    # Without an X display, and without the Mono and Gecko installers, so that no
    # dialog can wait for a click.
    env -u DISPLAY WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -u
    echo "wineboot: $?"
    # An unhandled exception must end the program, with a backtrace on standard
    # error, instead of opening Wine's crash dialog and waiting for a click forever.
    env -u DISPLAY "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
    echo "reg: $?"
    # Windows live in a Wine virtual desktop, not as X windows of their own: with no
    # window manager on the X server, Wine waits 2 s for one at every hide or destroy
    # of a shown top-level window.
    env -u DISPLAY "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
    env -u DISPLAY "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d $desktop_size /f
    echo "reg: $?"
    # wineboot returns before the registry is written: wait for the wineserver.
    "$wineserver" -w
    echo "wineserver: $?"
  } >"$log" 2>&1 9>&-
  if [ ! -f "$prefix/system.reg" ] || ! grep -q "ShowCrashDialog" "$prefix/user.reg" 2>/dev/null \
     || ! grep -q "\"Default\"=\"$desktop_size\"" "$prefix/user.reg" 2>/dev/null; then
    cat "$log" >&2
    fail "could not make the Wine prefix $prefix"
  fi
  printf '%s\n' "$want" >"$marker"
fi
[ $mode = init ] && exit 0

if [ $mode = up ]; then
  mkdir -p "$state" || fail "cannot make $state"
  state=$(cd "$state" && pwd)
  rm -f "$state/env" "$state/display"
  xvfb_pid='' lock_pid=''
  # shellcheck disable=SC2317 # called by the traps
  up_failed() {
    "$wineserver" -k >/dev/null 2>&1 9>&-
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null
    [ -z "$lock_pid" ] || kill "$lock_pid" 2>/dev/null
    wait
  }
  trap up_failed EXIT
  trap 'exit 130' INT; trap 'exit 143' TERM; trap 'exit 129' HUP
  # The X server of xvfb-run's defaults, on a free display it names itself.
  mkfifo "$state/display" || fail "cannot make $state/display"
  Xvfb -displayfd 8 -screen 0 1280x1024x24 -nolisten tcp 8>"$state/display" 9>&- \
    </dev/null >/dev/null 2>"$state/xvfb.log" &
  xvfb_pid=$!
  display=
  read -r -t 30 display <"$state/display"
  rm -f "$state/display"
  [ -n "$display" ] || { cat "$state/xvfb.log" >&2; fail "Xvfb did not start"; }
  export DISPLAY=:$display
  # The lock is held by a sleeper until --down. The wineserver stays (-p), and with it
  # the prefix's services and the virtual desktop's explorer. The explorer that a
  # program starts when it first needs the desktop is one of that program's processes,
  # and it ends a second after the last program on the desktop leaves. So it is
  # started here, with a program that stays on the desktop until --down: cmd.exe,
  # reading from a pipe nobody writes to, once it has said that the desktop is there.
  # (The pipes are opened for writing too: no open waits for the other end, and no
  # read ends with the end of the input.) Standard streams of their own, not a test's.
  sleep 100000 >/dev/null 2>&1 &
  lock_pid=$!
  "$wineserver" -p </dev/null >/dev/null 2>&1 9>&-
  mkfifo "$state/ready" "$state/idle" || fail "cannot make pipes in $state"
  setsid "$wine" explorer.exe "/desktop=Default,$desktop_size" \
    cmd.exe /k "echo ready>Z:$state/ready" <>"$state/idle" >/dev/null 2>&1 9>&- &
  ready=
  read -r -t 60 ready <>"$state/ready"
  rm -f "$state/ready" "$state/idle"
  [ -n "$ready" ] || fail "the Wine desktop did not start"
  {
    printf 'OPAL_WINE_DESKTOP_DISPLAY=%q\n' "$DISPLAY"
    printf 'OPAL_WINE_DESKTOP_PREFIX=%q\n' "$prefix"
    printf 'OPAL_WINE_DESKTOP_SERVER=%q\n' "$wineserver"
    printf 'OPAL_WINE_DESKTOP_XVFB=%q\n' "$xvfb_pid"
    printf 'OPAL_WINE_DESKTOP_LOCK=%q\n' "$lock_pid"
  } >"$state/env" || fail "cannot write $state/env"
  trap - EXIT
  exit 0
fi


# Inside xvfb-run: the program (under `timeout` unless on a terminal, where timeout
# would take the terminal from it), then the end of the wineserver and of the
# prefix's own processes (explorer, services, devices), which outlive the program:
# they must end while the X server still runs, or they print
# "X connection to :99 broken" on our standard error.
# shellcheck disable=SC2016 # expanded by the inner shell
inner='
if [ "$OPAL_RUN_TIMEOUT" = 0 ]; then "$0" "$@"; else timeout -k 10 "$OPAL_RUN_TIMEOUT" "$0" "$@"; fi
rc=$?
"$WINESERVER" -k >/dev/null 2>&1
exit $rc'

start=$SECONDS
# The run gets a session of its own (setsid), so that a hangup or Ctrl-C of the
# terminal reaches only this script, which then ends the run cleanly: the X server
# takes SIGHUP as "reset", not "exit", and the one that xvfb-run starts ignores
# SIGINT, so either would otherwise outlive the run. Standard input is passed on
# explicitly (0<&0): a background command would otherwise read /dev/null.
setsid -w xvfb-run -a sh -c "$inner" "$wine" "$@" 0<&0 9>&- &
child=$!

# On a signal: the program and Wine's processes end, then xvfb-run stops its X
# server and removes its files itself.
# shellcheck disable=SC2317 # called by await_run's traps
end_run() {
  local pid comm
  while read -r pid comm; do
    case $comm in xvfb-run|setsid|Xvfb) ;; *) kill -TERM "$pid" 2>/dev/null ;; esac
  done < <(ps -o pid=,comm= -s "$child" 2>/dev/null)
  "$wineserver" -k >/dev/null 2>&1 9>&-
}
await_run
