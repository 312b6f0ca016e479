#!/bin/bash
# A person's mouse and keys on the live windows, sent by xdotool at the points
# `print places` gives: rows selected by click and Ctrl-click, an opacity
# typed into the field reaching the X window, a palette dragged by its title,
# the menu button's popup opening About and its OK closing it (let go over
# it, not off it), and the closed-panel alert as a window whose check box
# keeps it from coming back.
#
#   input.sh OPALHOST_EXE   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1
live_start "$exe"
send "palette Layout at 120 150" "panel Pages in Layout" \
  "palette Type at 400 150" "panel Character in Type" "panel Paragraph in Type" "palette Stash class 0x1640F at 120 480" "panel Navigator in Stash" "open opal" \
  "place Opal 760 120" "print places"
live_sync
pages=$(row_of Pages) opal=$(row_of Opal) navigator=$(row_of Navigator)
[ -n "$pages" ] && [ -n "$opal" ] && [ -n "$navigator" ] || fail "rows missing"

# A click selects a row alone; Ctrl-click adds one.
click_at $(centre row "$pages")
until_output "^row $pages \"Pages\" .* selected\$" "print list"
pass "a click selects a row"
read -r x y <<<"$(centre row "$opal")"
xdotool mousemove $x $y keydown ctrl click 1 keyup ctrl
until_output "^row $opal \"Opal\" .* selected\$" "print list"
grep -E "^row $pages \"Pages\" .* selected\$" <(tail -n +$((MARK + 1)) "$LIVE/out") >/dev/null ||
  fail "Ctrl-click did not keep the first row selected"
pass "Ctrl-click adds a row"

# Typing 40 and Enter in the field: alpha 102 for both rows' palettes.
click_at $(centre field opacity)
sleep 0.3
xdotool type --delay 50 40
xdotool key Return
until_output '^window Layout .* alpha=102$' "print windows"
grep -qE '^window Opal .* alpha=102$' <(tail -n +$((MARK + 1)) "$LIVE/out") ||
  fail "the Opal palette did not get alpha 102"
for p in Layout Opal; do
  [ "$(opacity $p)" = 0x66666666 ] || fail "$p: _NET_WM_WINDOW_OPACITY $(opacity $p)"
done
pass "typing 40 and Enter gives alpha 102, on the X windows too"

# A drag of the title moves the window; the world and the X server agree.
read -r x0 y0 _ _ <<<"$(place palette Layout)"
read -r x y <<<"$(centre title Layout)"
xdotool mousemove $x $y mousedown 1 mousemove $((x + 40)) $((y + 20)) \
  mousemove $((x + 150)) $((y + 60)) sleep 0.2 mouseup 1
until_output "^place palette \"Layout\" $((x0 + 150)) $((y0 + 60)) " "print places"
id=$(window_of Layout)
wx=$(xwininfo -id "$id" | sed -nE 's/.*Absolute upper-left X: *(-?[0-9]+)/\1/p')
wy=$(xwininfo -id "$id" | sed -nE 's/.*Absolute upper-left Y: *(-?[0-9]+)/\1/p')
[ "$wx $wy" = "$((x0 + 150)) $((y0 + 60))" ] || fail "xwininfo puts Layout at $wx $wy"
pass "a title drag moves the palette"

# A click on a back tab brings its panel to the front (a front tab is taller).
click_at $(centre tab Character)
until_output '^place tab "Character" [0-9]+ [0-9]+ [0-9]+ 17$' "print places"
pass "a tab click brings its panel to the front"

# On/Off: every palette opaque (alpha 254) and back.
click_at $(centre button onoff)
until_output '^window Layout .* alpha=254$' "print windows"
click_at $(centre button onoff)
until_output '^window Layout .* alpha=102$' "print windows"
pass "On/Off switches transparency off and on"

# The size box drags the panel bigger.
read -r _ _ w0 h0 <<<"$(place palette Opal)"
read -r x y <<<"$(centre sizebox opal)"
# One jump past the window's edge: Wine, with no window manager, then sees the
# pointer only when asked, and the drag follows it by the clock.
xdotool mousemove $x $y mousedown 1 sleep 0.3 mousemove $((x + 40)) $((y + 30)) sleep 0.8 mouseup 1
until_output "^place palette \"Opal\" [0-9]+ [0-9]+ $((w0 + 40)) $((h0 + 30))\$" "print places"
pass "the size box resizes the panel"

# The menu button opens the panel's menu; About opens the About window; OK closes it.
mark
click_at $(centre menu Opal)
wait_for '^place entry "About" '
click_at $(centre entry About)
wait_for '^place button "OK" '
wait_for '^dialog "'
# OK held and let go off it does nothing: About stays open.
mark
read -r x y <<<"$(centre button OK)"
xdotool mousemove $x $y mousedown 1 sleep 0.2 mousemove $((x - 150)) $((y - 60)) sleep 0.2 mouseup 1
sleep 1
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^dialog closed$' && fail "OK let go off it closed About"
click_at $x $y
wait_for '^dialog closed$'
pass "the menu button's popup opens About, whose OK closes it (when let go over it)"

# The closed-panel alert is a window; its check box keeps it from coming back.
mark
click_at $(centre row "$navigator")
wait_for '^place checkbox "Don.t show again" '
wait_for '^alert "'
click_at $(centre checkbox "Don't show again")
sleep 0.3
click_at $(centre button OK)
until_output "^row $navigator \"Navigator\" .* selected\$" "print list"
click_at $(centre row "$pages")
until_output "^row $pages \"Pages\" .* selected\$" "print list"
since=$(wc -l <"$LIVE/out")
click_at $(centre row "$navigator")
until_output "^row $navigator \"Navigator\" .* selected\$" "print list"
! tail -n +$((since + 1)) "$LIVE/out" | grep -q '^alert' || fail "the alert came back"
pass "the alert is a window whose check box suppresses it"

# Shift-click selects a range; a double-click on a row closes its palette, again opens it.
click_at $(centre row "$pages")
until_output "^row $pages \"Pages\" .* selected\$" "print list"
read -r x y <<<"$(centre row "$navigator")"
xdotool mousemove $x $y keydown shift click 1 keyup shift
until_output "^row $opal \"Opal\" .* selected\$" "print list"
[ "$(tail -n +$((MARK + 1)) "$LIVE/out" | grep -cE '^row .* selected$')" = 3 ] ||
  fail "Shift-click did not select the range"
pass "Shift-click selects a range"
xdotool mousemove $(centre row "$pages") click --repeat 2 --delay 80 1
until_output '^window Layout .* hidden' "print windows"
xdotool mousemove $(centre row "$pages") click --repeat 2 --delay 80 1
until_output '^window Layout .* shown' "print windows"
pass "a double-click closes a row's palette and opens it again"
live_end || fail "the session ended with status $?"
