#!/bin/bash
# The window thread sleeps while nothing happens: over 5 idle seconds it takes
# no message while the host's timers are held (`live timer stop`), and about
# two a second while the plug-in's 500 ms timer runs. `print live` gives the
# count of messages the session's loops took.
#
#   idle.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1

# The messages taken over 5 idle seconds (less the line asking for them).
idle_messages() {
  local a b
  mark; send "print live"; wait_for '^live messages '
  a=$(tail -n +$((MARK + 1)) "$LIVE/out" | sed -nE 's/^live messages ([0-9]+)$/\1/p' | head -1)
  sleep 5
  mark; send "print live"; wait_for '^live messages '
  b=$(tail -n +$((MARK + 1)) "$LIVE/out" | sed -nE 's/^live messages ([0-9]+)$/\1/p' | head -1)
  echo $((b - a - 1))
}

live_start "$exe"
send "palette Layout at 120 150" "panel Pages in Layout" "panel Layers in Layout" \
  "open opal" "select Pages" "type 40" "live timer stop"
live_sync
sleep 1
n=$(idle_messages)
[ "$n" -le 0 ] || fail "$n messages over 5 idle seconds with the host's timers held"
pass "timers held: no message over 5 idle seconds"
send "live timer run"
live_sync
sleep 1
n=$(idle_messages)
[ "$n" -ge 6 ] && [ "$n" -le 16 ] || fail "$n messages over 5 idle seconds with the 500 ms timer"
pass "the plug-in's timer: $n messages over 5 idle seconds"
live_end || fail "the session ended with status $?"
