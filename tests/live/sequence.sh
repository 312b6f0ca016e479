#!/bin/bash
# What a palette window receives, and what the host is told, as a palette is
# made, hidden, shown, placed, re-created and clicked, in the manner of
# Wine's own message-sequence tests: the session runs with OPAL_LIVE_TRACE
# set, and the trace lines of one palette are compared with the expected
# sequence (an entry starting with "?" may be missing; a line repeated at
# once counts once; entries are extended regular expressions).
#
#   sequence.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1
export OPAL_LIVE_TRACE=1

TRACED=0
trace_mark() { TRACED=$(wc -l <"$LIVE/err"); }

# ok_sequence WHAT PALETTE EXPECTED...
ok_sequence() {
  local what=$1 palette=$2 j=0 line e
  shift 2
  local expected=("$@") actual
  actual=$(tail -n +$((TRACED + 1)) "$LIVE/err" | sed -n 's/^trace: //p' |
    grep -E "^(palette $palette |step: [a-z]+ $palette\$|host: .* $palette( |\$))" | uniq)
  while IFS= read -r line; do
    [ -n "$line" ] || continue
    while [ $j -lt ${#expected[@]} ]; do
      e=${expected[$j]}
      [[ $e == \?* ]] && ! grep -qxE -- "${e#\?}" <<<"$line" && { j=$((j + 1)); continue; }
      break
    done
    e=${expected[$j]-}
    if [ $j -ge ${#expected[@]} ] || ! grep -qxE -- "${e#\?}" <<<"$line"; then
      echo "--- $what: got" >&2; echo "$actual" >&2
      fail "$what: unexpected \"$line\" (expected \"${e:-nothing more}\")"
    fi
    j=$((j + 1))
  done <<<"$actual"
  for ((; j < ${#expected[@]}; ++j)); do
    [[ ${expected[$j]} == \?* ]] && continue
    echo "--- $what: got" >&2; echo "$actual" >&2
    fail "$what: missing \"${expected[$j]}\""
  done
  pass "$what"
}

live_start "$exe"
send "open opal" "place Opal 700 120"
live_sync
sleep 0.5

trace_mark
send "palette Layout at 120 150" "panel Pages in Layout"
live_sync
sleep 0.5
# Made at its place and sized before it shows: never at (0,0), never moved.
ok_sequence "a new palette" Layout "step: placed Layout" "palette Layout WM_CREATE" \
  "palette Layout WM_WINDOWPOSCHANGED size [0-9]+ [0-9]+" "palette Layout WM_SHOWWINDOW shown" \
  "palette Layout WM_WINDOWPOSCHANGED show" "step: changed Layout" \
  "?palette Layout WM_PAINT" "?palette Layout WM_WINDOWPOSCHANGED size [0-9]+ [0-9]+" \
  "?step: changed Layout" "?palette Layout WM_PAINT"

trace_mark
send "hide Pages"
live_sync
sleep 0.5
ok_sequence "hidden" Layout "palette Layout WM_SHOWWINDOW hidden" \
  "palette Layout WM_WINDOWPOSCHANGED hide" "step: changed Layout"

trace_mark
send "show Pages"
live_sync
sleep 0.5
ok_sequence "shown again" Layout "palette Layout WM_SHOWWINDOW shown" \
  "palette Layout WM_WINDOWPOSCHANGED show" "step: changed Layout" "palette Layout WM_PAINT"

# A move is the window system's business: nothing is painted again.
trace_mark
send "place Layout 200 220"
live_sync
sleep 0.5
ok_sequence "placed" Layout "step: placed Layout" "palette Layout WM_WINDOWPOSCHANGED at 200 220"

trace_mark
send "recreate Layout"
live_sync
sleep 0.5
ok_sequence "re-created" Layout "?palette Layout WM_WINDOWPOSCHANGED hide" \
  "palette Layout WM_NCDESTROY" "palette Layout WM_CREATE" \
  "palette Layout WM_WINDOWPOSCHANGED size [0-9]+ [0-9]+" "palette Layout WM_SHOWWINDOW shown" \
  "palette Layout WM_WINDOWPOSCHANGED show" "step: changed Layout" "palette Layout WM_PAINT"

# The host's timer firing repaints no palette that did not change.
trace_mark
sleep 2
ok_sequence "two idle seconds" Layout

# A click on a row: the Opal palette is told and repaints, Layout is left alone.
send "print places"
live_sync
row=$(row_of Opal)
[ -n "$row" ] || fail "no row for Opal"
trace_mark
click_at $(centre row "$row")
until_output "^row $row \"Opal\" .* selected\$" "print list"
sleep 0.3
ok_sequence "a row clicked" Opal "palette Opal WM_LBUTTONDOWN" "?palette Opal WM_PAINT" \
  "palette Opal WM_LBUTTONUP" "?palette Opal WM_PAINT"
ok_sequence "a row clicked, the other palette" Layout
live_end || fail "the session ended with status $?"
