#!/usr/bin/env bash
# The function picker under a window manager that moves the keyboard focus when a window hides
# (as openbox does, like every real desktop's): moving between groups keeps the picker open, each
# group opens its list in turn, and a choice in the last one is stored.
source "$(dirname "$0")/lib.sh"
trap 'cleanup; stop_window_manager' EXIT
ensure_window_manager

reg_is() { [ "$(reg_value "$1")" = "$2" ]; }
shown() { window_on_screen " $1+"; }
none_shown() { ! shown "$1"; }
# The top-left corner of the visible list of that size.
list_corner() {
  local id
  for id in $(xwininfo -root -children | grep -F " $1+" | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" | grep -q IsViewable || continue
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
    return 0
  done
  return 1
}

delete_key
start_resident_copy
wait_until 10 reg_value bt4 || fail "the first save wrote nothing"
window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"

# The bt4 callout opens the picker (300 x 224); its rows are 36 high from 4 down: No function,
# System, Application, Function key. The groups' lists are 300 wide, as high as their rows.
# A click on a window the window manager has not yet given the focus may only activate it.
open_picker() {
  shown 300x224 && return 0
  xdotool mousemove $((X + 460)) $((Y + 262))
  xdotool mousemove --sync $((X + 470)) $((Y + 262)) click 1
  wait_until 2 shown 300x224
}
wait_until 10 open_picker || fail "no picker under the bt4 callout"
read -r picker_left picker_top < <(list_corner 300x224)
row_y() { echo $((picker_top + 4 + $1 * 36 + 18)); }
for row in 1 2 3; do
  xdotool mousemove --sync $((picker_left + 100)) "$(row_y $row)"
  sublist_of_row() { xwininfo -root -children | grep -E ' 300x[0-9]+\+' | grep -v ' 300x224+' | while read -r id _; do
      xwininfo -id "$id" | grep -q IsViewable && xwininfo -id "$id" | awk '/Absolute upper-left Y/ {print $NF}'
    done | grep -q .; }
  wait_until 5 sublist_of_row || fail "resting on row $row opened no list"
  sleep 0.5
  shown 300x224 || fail "the picker closed after resting on row $row"
done
# Function key's list (300 x 260): Copy is its second row.
read -r sub_left sub_top < <(list_corner 300x260) || fail "Function key's list is not shown"
xdotool mousemove --sync $((sub_left + 150)) $((sub_top + 4 + 36 + 18))
sleep 0.3
xdotool click 1
wait_until 10 reg_is bt4 0xc || fail "choosing Copy stored $(reg_value bt4) in bt4"
wait_until 10 none_shown 300x224 || fail "the picker stayed open after the choice"

# The same from the keyboard: Down to "Function key", Right into its list, Down twice to
# "Paste", Enter.
wait_until 10 open_picker || fail "the picker did not open again"
xdotool mousemove 5 5
for key in Down Down Down Down Right Down Down Return; do
  xdotool key "$key"
  sleep 0.2
done
wait_until 10 reg_is bt4 0xd || fail "choosing Paste from the keyboard stored $(reg_value bt4) in bt4"
wait_until 10 none_shown 300x224 || fail "the picker stayed open after the keyboard's choice"

# A group run while the main window is shown: the window hides, and the quick-launch list at the
# pointer (300 x 152, System's four) keeps the keyboard once the program takes the foreground
# back, 300 ms after the hide.
window_visible || fail "the main window is not shown"
xdotool mousemove 200 150
run_program /run System || fail "/run System failed"
wait_until 10 shown 300x152+199 || fail "no quick-launch list at the pointer: $(xwininfo -root -children | grep -E " 300x")"
wait_until 10 window_hidden || fail "the main window stayed shown under the quick-launch list"
sleep 1  # past the foreground hand-back, which has no sign of its own to wait for
foreground=$(timeout 20 wine "$PROBE" foreground 2>/dev/null </dev/null | tr -d '\r')
[[ "$foreground" != *"$WINDOW_TITLE"* ]] || fail "the hidden main window took the keyboard from the quick-launch list"
xdotool key Escape
wait_until 5 none_shown 300x152 || fail "Escape did not close the quick-launch list"
echo PASS
