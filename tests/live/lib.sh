# Helpers of the live tests (sourced): a live session of opalhost.exe driven
# through a pipe, on the real X screen that tools/wine/run-live.sh set up.
#
#   live_start EXE [ARGS...]  starts `EXE --live ARGS...` (workspace in a temporary folder)
#   send LINE...              sends command lines
#   live_sync                 waits until every line sent so far has run
#   mark; wait_for RE [S]     waits (S seconds, default 20) for an output line after the mark
#   place KIND NAME           "X Y W H" of the latest `place KIND "NAME"` line
#   centre KIND NAME          "X Y", the middle of that place
#   pixel FILE X Y            "R G B" of a screenshot's pixel
#   window_of NAME            the X window of the Wine window titled NAME
#   opacity NAME              its _NET_WM_WINDOW_OPACITY in hex (0x…), or "none"
#   live_end                  quits and waits for the end of the session
set -u

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${LIVE-}" ]; then
    echo "--- output" >&2; cat "$LIVE/out" >&2
    echo "--- errors" >&2; cat "$LIVE/err" >&2
  fi
  exit 1
}
pass() { echo "ok: $*"; }

live_start() {
  local exe=$1; shift
  LIVE=$(mktemp -d)
  trap 'kill "$LIVE_PID" 2>/dev/null; rm -rf "$LIVE"' EXIT
  mkfifo "$LIVE/in"
  "$WINE" "$exe" --live --workspace "$LIVE/workspace" "$@" <"$LIVE/in" >"$LIVE/out" 2>"$LIVE/err" &
  LIVE_PID=$!
  exec 7>"$LIVE/in"
  echo 0 >"$LIVE/syncs"
  MARK=0
}

send() { printf '%s\n' "$@" >&7; }

mark() { MARK=$(wc -l <"$LIVE/out"); }

wait_for() {
  local pattern=$1 seconds=${2:-20} i
  for ((i = 0; i < seconds * 20; ++i)); do
    tail -n +$((MARK + 1)) "$LIVE/out" | grep -qE -- "$pattern" && return 0
    kill -0 "$LIVE_PID" 2>/dev/null || fail "the session ended while waiting for: $pattern"
    sleep 0.05
  done
  fail "no output line matched in ${seconds}s: $pattern"
}

# Leaves the mark where it is: what the lines printed is read after it.
# The count is kept in a file: helpers that sync may run in a subshell.
live_sync() {
  local saved=$MARK n
  n=$(($(cat "$LIVE/syncs") + 1))
  echo $n >"$LIVE/syncs"
  MARK=0
  send "say sync $n"
  wait_for "^# sync $n\$"
  MARK=$saved
}

place() {
  grep -F "place $1 \"$2\" " "$LIVE/out" | tail -1 | awk '{print $(NF-3), $(NF-2), $(NF-1), $NF}'
}

centre() {
  local at
  at=$(place "$1" "$2")
  [ -n "$at" ] || fail "no place $1 \"$2\""
  awk '{print int($1 + $3 / 2), int($2 + $4 / 2)}' <<<"$at"
}

pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 |
    sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

window_of() {
  xdotool search --name "^$1\$" 2>/dev/null | head -1
}

opacity() {
  local id
  id=$(window_of "$1")
  [ -n "$id" ] || { echo none; return; }
  xprop -id "$id" _NET_WM_WINDOW_OPACITY | sed -nE 's/.*= *([0-9]+).*/\1/p' |
    { read -r v && printf '0x%08x\n' "$v" || echo none; }
}

live_end() {
  send quit
  exec 7>&-
  wait "$LIVE_PID"
}

# Sends the command lines again and again until an output line after them
# matches (what a click caused arrives through the window system, not the pipe).
until_output() {
  local pattern=$1 i; shift
  for ((i = 0; i < 40; ++i)); do
    mark
    send "$@"
    live_sync
    tail -n +$((MARK + 1)) "$LIVE/out" | grep -qE -- "$pattern" && return 0
    sleep 0.1
  done
  fail "no output matched after $*: $pattern"
}

# The index of the list row that shows NAME.
row_of() {
  mark; send "print list"; live_sync
  tail -n +$((MARK + 1)) "$LIVE/out" | sed -nE "s/^row ([0-9]+) \"$1\" .*/\1/p" | head -1
}

click_at() { xdotool mousemove "$1" "$2" click 1; }
