#!/bin/bash
# The host's widgets as a person meets them on the live windows: the wheel
# and the scroll bar's thumb scroll the list, Ctrl+A then 55 and Enter in the
# field gives alpha 140, Escape closes the range alert (the field keeps the
# typing, selected), a tip window appears over On/Off after the pointer rests
# there, On/Off held and moved off does nothing when let go, and a click on a
# palette brings it in front of the others, for the window system too.
#
#   widgets.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1
live_start "$exe"
panels=()
for i in $(seq 10 23); do panels+=("panel P$i in Tools"); done
send "palette Tools at 40 40" "${panels[@]}" "palette Side at 520 60" "panel Side in Side" \
  "open opal" "place Opal 600 100" "print places"
live_sync
[ -n "$(place row 0)" ] || fail "row 0 is not in view"
[ -z "$(place row 14)" ] || fail "row 14 is in view before any scrolling"

# The wheel over the list scrolls it: row 0 leaves the view.
read -r x y <<<"$(centre row 1)"
xdotool mousemove $x $y click 5
for ((i = 0; i < 40; ++i)); do
  mark; send "print places"; live_sync
  tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "0" ' || break
  sleep 0.1
done
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "0" ' && fail "the wheel did not scroll"
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "3" ' || fail "row 3 is not in view"
pass "the wheel scrolls the list"

# The scroll bar's thumb, at the top of its track (the list's right 14 pixels,
# 9 past the rows' right edge), dragged far down shows the last rows.
send "scroll #0" "print places"
live_sync
read -r x y w _ <<<"$(place row 0)"
xdotool mousemove $((x + w + 16)) $((y + 4)) mousedown 1 sleep 0.2 \
  mousemove $((x + w + 16)) $((y + 100)) sleep 0.2 mousemove $((x + w + 16)) $((y + 400)) \
  sleep 0.2 mouseup 1
for ((i = 0; i < 40; ++i)); do
  mark; send "print places"; live_sync
  tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "14" ' && break
  sleep 0.1
done
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "14" ' || fail "the thumb did not scroll"
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^place row "0" ' && fail "row 0 is still in view"
pass "dragging the thumb scrolls the list"

# Ctrl+A, 55, Enter in the field: alpha 140 on the palette whose front panel the row is.
send "scroll #14" "print places"
live_sync
row=$(row_of P23)
[ -n "$row" ] || fail "no row P23"
click_at $(centre row "$row")
until_output "^row $row \"P23\" .* selected\$" "print list"
click_at $(centre field opacity)
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 50 55
xdotool key Return
until_output '^window Tools .* alpha=140$' "print windows"
[ "$(opacity Tools)" = 0x8c8c8c8c ] || fail "Tools: _NET_WM_WINDOW_OPACITY $(opacity Tools)"
pass "Ctrl+A then 55 and Enter gives alpha 140"

# A value out of range: the alert; Escape closes it, the typing stays selected.
mark
xdotool key ctrl+a
xdotool type --delay 50 5
xdotool key Return
wait_for '^place button "OK" '
sleep 0.3
xdotool key Escape
until_output '^focus field "5" caret 1 selection 0 1$' "print focus"
pass "Escape closes the range alert, the field keeps its typing selected"

# The pointer resting on On/Off shows its tip in a window.
mark
read -r x y <<<"$(centre button onoff)"
xdotool mousemove $((x - 2)) $y sleep 0.1 mousemove $x $y
wait_for '^place tip "Turn opacity On / Off" '
[ -n "$(window_of "Turn opacity On / Off")" ] || fail "no tip window"
pass "a tip window appears over On/Off"

# On/Off held, moved off and let go: nothing; held, moved off and back, let go: it acts.
onoff() { mark; send "print data"; live_sync
  tail -n +$((MARK + 1)) "$LIVE/out" | sed -nE 's/^options on-off=([01]) .*/\1/p'; }
was=$(onoff)
[ -n "$was" ] || fail "no on-off option printed"
read -r x y <<<"$(centre button onoff)"
xdotool mousemove $x $y mousedown 1 sleep 0.2 mousemove $((x - 80)) $((y - 60)) sleep 0.2 mouseup 1
sleep 0.5
[ "$(onoff)" = "$was" ] || fail "On/Off acted on a release off it"
xdotool mousemove $x $y mousedown 1 sleep 0.2 mousemove $((x - 80)) $((y - 60)) sleep 0.2 \
  mousemove $x $y sleep 0.2 mouseup 1
for ((i = 0; i < 40; ++i)); do
  [ "$(onoff)" != "$was" ] && break
  sleep 0.1
done
[ "$(onoff)" != "$was" ] || fail "On/Off did not act on a release over it"
pass "a held button moved off does not act, brought back it does"

# A click on the Side palette's title, where Opal does not cover it, brings it
# in front of Opal: in the host's layout and for the window system.
stacked() { # the X stacking position of each of two windows, in the order given
  local a b
  a=$(window_of "$1") b=$(window_of "$2")
  xwininfo -root -children | awk -v a="$(printf '0x%x' "$a")" -v b="$(printf '0x%x' "$b")" \
    '$1 == a { pa = NR } $1 == b { pb = NR } END { print (pa < pb) ? "before" : "after" }'
}
mark; send "print places"; live_sync
order=$(tail -n +$((MARK + 1)) "$LIVE/out" | grep -E '^place palette "(Side|Opal)"' | cut -d'"' -f2 | xargs)
[ "$order" = "Side Opal" ] || fail "Opal is not over Side at first: $order"
before=$(stacked Side Opal)
read -r x y _ _ <<<"$(place title Side)"
click_at $((x + 10)) $((y + 8))
for ((i = 0; i < 40; ++i)); do
  mark; send "print places"; live_sync
  order=$(tail -n +$((MARK + 1)) "$LIVE/out" | grep -E '^place palette "(Side|Opal)"' | cut -d'"' -f2 | xargs)
  [ "$order" = "Opal Side" ] && break
  sleep 0.1
done
[ "$order" = "Opal Side" ] || fail "the click did not raise Side: $order"
[ "$(stacked Side Opal)" != "$before" ] || fail "the X stacking did not change"
pass "a click raises a palette"
live_end || fail "the session ended with status $?"
