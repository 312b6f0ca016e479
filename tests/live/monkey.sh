#!/bin/bash
# A random person on the live windows: clicks, double-clicks, Ctrl- and
# Shift-clicks, drags, keys and typing (out-of-range values too, which open
# alerts) over the whole screen, from a fixed seed, for SECONDS. The menu
# button's popup, About, alerts and the Window menu open as they come; the
# monkey gets out of them again (Escape, clicking OK, a click beside a menu).
# After every batch of actions the session must answer a line within a bound:
# a crash or a hang fails with the seed. At the end `print windows` and
# `print data` answer, `quit` exits 0, and the saved workspace loads with the
# same data.
#
#   monkey.sh OPALHOST_EXE [SECONDS [SEED]]   (run inside tools/wine/run-live.sh)
. "$(dirname "$0")/lib.sh"
exe=$1 seconds=${2:-60} seed=${3:-1}
RANDOM=$seed
actions=0 rescues=0

fail_seed() { fail "seed $seed, after $actions actions: $*"; }

live_start "$exe"
send "palette Layout at 120 150" "panel Pages in Layout" "panel Layers in Layout" \
  "palette Type at 420 150" "panel Character in Type" "panel Paragraph in Type" \
  "palette Colour at 300 420" "panel Swatches in Colour" \
  "palette Stash class 0x1640F at 700 560" "panel Navigator in Stash" \
  "open opal" "place Opal 760 120" "print places"
live_sync

# Places a person aims at: the latest line of each kind and name the session
# printed (popups, alerts and About print theirs as they open).
targets=() menus=() field=
refresh_targets() {
  mapfile -t targets < <(grep '^place ' "$LIVE/out" |
    awk '{ key = $2 " " $3; at[key] = int($(NF-3) + $(NF-1) / 2) " " int($(NF-2) + $NF / 2) }
         END { for (k in at) print at[k] }' | sort)
  mapfile -t menus < <(grep '^place menu ' "$LIVE/out" | sort -u -k3,3 |
    awk '{print int($(NF-3) + $(NF-1) / 2), int($(NF-2) + $NF / 2)}')
  field=$(grep '^place field "opacity" ' "$LIVE/out" | tail -1 |
    awk '{print int($(NF-3) + $(NF-1) / 2), int($(NF-2) + $NF / 2)}')
}

# The document's File menu sits in the screen's top-left corner; its Quit
# would end the session early. Points there move aside. Sets PX PY (no
# subshell: the random sequence stays the seed's).
point() {
  local x y
  if [ ${#targets[@]} -gt 0 ] && [ $((RANDOM % 3)) != 0 ]; then
    read -r x y <<<"${targets[RANDOM % ${#targets[@]}]}"
    x=$((x + RANDOM % 9 - 4)) y=$((y + RANDOM % 9 - 4))
  else
    x=$((RANDOM % 1280)) y=$((RANDOM % 1024))
  fi
  [ $x -lt 0 ] && x=0
  [ $y -lt 0 ] && y=0
  if [ $x -lt 160 ] && [ $y -lt 90 ]; then
    y=$((y + 90))
  fi
  PX=$x PY=$y
}

# Keys that cannot reach Quit: no Alt, no F10, no Left/Right (which walk the
# menu bar from the Window menu to File).
keys=(Return Escape BackSpace Tab Up Down space Delete Home End 0 1 4 5 9 minus period a z)
typed=(40 60 0 100 150 -5 999 7 33 abc 1e3 "" 12.5)

# One batch: a chain of xdotool commands, run by one xdotool.
batch() {
  local cmd=() i k c x y x2 y2 t
  for ((i = 0; i < 8; ++i)); do
    point
    x=$PX y=$PY
    case $((RANDOM % 13)) in
    0 | 1 | 2) cmd+=(mousemove $x $y click 1) ;;
    3) cmd+=(mousemove $x $y click --repeat 2 --delay 60 1) ;;
    4) cmd+=(mousemove $x $y keydown ctrl click 1 keyup ctrl) ;;
    5) cmd+=(mousemove $x $y keydown shift click 1 keyup shift) ;;
    6 | 7)
      point
      x2=$PX y2=$PY
      cmd+=(mousemove $x $y mousedown 1 mousemove $(((x + x2) / 2)) $(((y + y2) / 2))
        sleep 0.05 mousemove $x2 $y2 sleep 0.05 mouseup 1) ;;
    8) cmd+=(key "${keys[RANDOM % ${#keys[@]}]}") ;;
    9 | 10)
      # Mostly into the field: out-of-range values bring alerts.
      [ -n "$field" ] && [ $((RANDOM % 3)) != 0 ] && read -r x y <<<"$field"
      t=${typed[RANDOM % ${#typed[@]}]}
      cmd+=(mousemove $x $y click 1)
      # One key command a character: xdotool's type would take the rest of
      # the chain as its text.
      for ((k = 0; k < ${#t}; ++k)); do
        c=${t:k:1}
        case $c in -) c=minus ;; .) c=period ;; esac
        cmd+=(key --delay 15 "$c")
      done
      cmd+=(key Return) ;;
    11) cmd+=(mousemove $x $y click 3) ;;
    12)
      # A palette's menu button, then a point that may be one of its entries.
      [ ${#menus[@]} -gt 0 ] && read -r x y <<<"${menus[RANDOM % ${#menus[@]}]}"
      cmd+=(mousemove $x $y click 1 sleep 0.3 mousemove $((x + RANDOM % 160 - 20))
        $((y + RANDOM % 120)) click 1) ;;
    esac
    cmd+=(sleep 0.0$((RANDOM % 8 + 2)))
    actions=$((actions + 1))
  done
  timeout 20 xdotool "${cmd[@]}" || fail_seed "xdotool did not finish its batch: ${cmd[*]}"
}

# The session's answer to a line, or nothing within S seconds.
syncs=0
answered() {
  local n=$1 s=$2 i
  for ((i = 0; i < s * 20; ++i)); do
    grep -qx "# monkey $n" "$LIVE/out" && return 0
    kill -0 "$LIVE_PID" 2>/dev/null || fail_seed "the session ended"
    sleep 0.05
  done
  return 1
}

# Out of whatever waits for the person: a popup menu, an alert, About.
# Lines are held while a modal window waits, so no answer means one is open.
settle() {
  local since tries ok
  since=$(wc -l <"$LIVE/out")
  syncs=$((syncs + 1))
  send "say monkey $syncs"
  answered $syncs 1 && return 0
  for ((tries = 0; tries < 16; ++tries)); do
    rescues=$((rescues + 1))
    # The OK of the alert or About that opened last, else Escape or a
    # click beside everything for a popup menu.
    ok=$(grep '^place button "OK" ' "$LIVE/out" | tail -1 |
      awk '{print int($(NF-3) + $(NF-1) / 2), int($(NF-2) + $NF / 2)}')
    case $((tries % 3)) in
    0) [ -n "$ok" ] && timeout 10 xdotool mousemove $ok click 1 ;;
    1) timeout 10 xdotool key Escape ;;
    2) timeout 10 xdotool mousemove 1270 1015 click 1 ;;
    esac
    answered $syncs 1 && return 0
  done
  fail_seed "the session answers no line (hung)"
}

end=$((SECONDS + seconds))
while [ $SECONDS -lt $end ]; do
  refresh_targets
  batch
  settle
done
seen() { grep -c "$1" "$LIVE/out"; }
pass "seed $seed: $actions actions in ${seconds}s, no crash, no hang; $(seen '^alert ') alerts,\
 $(seen '^dialog "') dialogs, $(seen '^place entry ') menu entries shown, $rescues rescues"

mark
send "print windows" "print data"
live_sync
tail -n +$((MARK + 1)) "$LIVE/out" | grep -q '^window ' || fail_seed "print windows printed no window"
data=$(tail -n +$((MARK + 1)) "$LIVE/out" | grep -v '^window \|^# sync \|^# monkey ')
[ -n "$data" ] || fail_seed "print data printed nothing"
pass "print windows and print data answer"

live_end || fail_seed "the session ended with status $?"
pass "quit exits 0"

# The saved workspace loads, with the data the session last printed.
printf 'print data\n' >"$LIVE/check"
cp "$LIVE/workspace" "$LIVE/loaded" || fail_seed "no workspace saved"
"$WINE" "$exe" --workspace "$LIVE/loaded" --script "$LIVE/check" >"$LIVE/data" 2>"$LIVE/data.err" ||
  fail_seed "the saved workspace does not load: $(cat "$LIVE/data.err")"
diff <(echo "$data") <(tr -d '\r' <"$LIVE/data") >&2 || fail_seed "the loaded data differ"
pass "the saved workspace loads with the same data"
