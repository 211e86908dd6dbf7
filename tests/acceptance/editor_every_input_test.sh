#!/usr/bin/env bash
# Every input but the main buttons is set from the editor: the extra key's and each gesture's
# callout opens the function picker and the choice lands in its registry value; the order's
# callout opens the six orders and a family 6 receiver (stand-in hid.dll) is sent the new one at
# once; Default restores them all. Choices are made from the keyboard, as a menu allows.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT
use_standin_receivers "$work" 6

# An order the receiver does not know is kept as stored until the user chooses one. (A key that
# holds values is read as it is: the side buttons are given Forward and Backward, 15 and 14.)
# Each value is read back before the program starts: a value that did not land would load as 0.
stored() { set_value "$1" "$2" && [ "$(reg_value "$1")" = "$(printf '0x%x' "$2")" ]; }
delete_key
for value in "order 9" "bt3 15" "bt4 14"; do
  # shellcheck disable=SC2086
  wait_until 20 stored $value || fail "could not store $value: $(reg_value "${value% *}")"
done
: >"$transcript"
start_resident_copy
wait_until 10 reg_value bt4 || fail "the first save wrote nothing"
[ "$(reg_value order)" = 0x9 ] || fail "the stored order 9 became $(reg_value order) before any choice"
window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y

reg_is() { [ "$(reg_value "$1")" = "$2" ]; }
list_open() { window_on_screen " 300x224+"; }  # the top-level list and the order list: six rows
list_closed() { ! list_open; }
sent() { grep -q -- "get-string $1 " "$transcript" 2>/dev/null; }
# Opens the callout at a point of the window and types the keys into the list that opens.
choose() {  # x y key...
  local x=$1 y=$2 key
  shift 2
  xdotool mousemove --sync $((left + x)) $((top + y)) click 1
  wait_until 5 list_open || fail "the callout at $x,$y opened no list"
  xdotool mousemove 5 5
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.2
  done
  wait_until 10 list_closed || fail "the list of the callout at $x,$y stayed open"
}
paste=(Down Down Down Down Right Down Down Return)  # "Function key", then its third function

# The extra key's box ends at x = 226 level with its leader; the gestures' boxes start at x = 62,
# one row every 40 pixels from y = 300.
choose 215 198 "${paste[@]}"
wait_until 10 reg_is "extra key" 0xd || fail "the extra key's choice stored $(reg_value "extra key")"
row=0
for gesture in up down left right; do
  choose 70 $((300 + 40 * row)) "${paste[@]}"
  wait_until 10 reg_is "gesture $gesture" 0xd || fail "gesture $gesture's choice stored $(reg_value "gesture $gesture")"
  row=$((row + 1))
done
[ "$(reg_value bt3)" = 0xf ] && [ "$(reg_value bt4)" = 0xe ] || fail "the side buttons changed: $(reg_value bt3) $(reg_value bt4) (order $(reg_value order), extra key $(reg_value "extra key"))"

# The order's box starts at x = 460, its middle at y = 170: the fourth order is 3.
: >"$transcript"
choose 470 170 Down Down Down Down Return
wait_until 10 reg_is order 0x3 || fail "choosing the fourth order stored $(reg_value order)"
wait_until 20 sent 143 || fail "the receiver was not sent order 3: $(tr '\n' ';' < "$transcript")"

# Default restores every slot and the first order, and tells the receiver.
: >"$transcript"
xdotool mousemove --sync $((left + 550)) $((top + 66)) click 1
wait_until 10 reg_is order 0x0 || fail "Default left the order at $(reg_value order)"
for name in "extra key" "gesture up" "gesture down" "gesture left" "gesture right"; do
  reg_is "$name" 0x0 || fail "Default left $name at $(reg_value "$name")"
done
wait_until 20 sent 140 || fail "the receiver was not sent the first order: $(tr '\n' ';' < "$transcript")"
alive "$FIRST_PID" || fail "the program ended"
echo PASS
