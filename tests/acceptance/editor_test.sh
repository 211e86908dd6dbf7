#!/usr/bin/env bash
# The side-button editor on the main window: a callout opens the picker under it, a choice in a
# sub-list is stored, Default restores the factory assignment, Close hides the window. (A press
# on an empty spot asks the system to move the window; without a window manager Wine moves
# nothing, so that decision is tested in the routing's unit tests.)
source "$(dirname "$0")/lib.sh"

delete_key
start_resident_copy
wait_until 10 reg_value bt4 || fail "the first save wrote nothing"
window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y of the window's client area
left=$X
top=$Y

shown_at() { window_on_screen " $1+$2+"; }  # size, left
shown() { window_on_screen " $1+"; }        # size
none_shown() { ! shown "$1"; }
reg_is() { [ "$(reg_value "$1")" = "$2" ]; }
click_client() {  # x y: a click at a point of the main window
  xdotool mousemove --sync $((left + $1)) $((top + $2)) click 1
}

# Resting on the bt4 callout shows its hint in the tip, centred under the box.
tip_under_box() {
  local id geometry
  for id in $(xwininfo -root -children 2>/dev/null | grep -F '(has no name)' | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || continue
    geometry=$(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width/ {w=$NF} END {print x, y, w}')
    read -r tip_x tip_y tip_w <<<"$geometry"
    # Centred on the box (which starts at 454), below it, and wider than the box for the long hint.
    [ "$tip_y" -gt $((top + 262)) ] && [ "$tip_w" -gt 150 ] && [ $((tip_x + tip_w / 2)) -gt $((left + 454)) ] &&
      tip_id=$id && return 0
  done
  return 1
}
xdotool mousemove 10 10
xdotool mousemove --sync $((left + 470)) $((top + 262))
wait_until 5 tip_under_box || fail "no hint under the bt4 callout"
# A taskbar lists no window that belongs to another (WM_TRANSIENT_FOR): the tip gets no button.
tip_under_box
xprop -id "$tip_id" WM_TRANSIENT_FOR | grep -q 'window id' || fail "the tip would have a taskbar button of its own"

# The bt4 callout box starts at x = 454 of the window; the picker opens under it, 41 further right.
click_client 470 262
wait_until 5 shown_at 300x224 $((left + 454 + 41)) || fail "no picker under the bt4 callout: $(xwininfo -root -children | grep 300x)"
picker=$(xwininfo -root -children | grep -F " 300x224+$((left + 495))+" | head -n 1 | sed -E 's/.*\+([0-9-]+)\+([0-9-]+) *$/\1 \2/')
read -r picker_left picker_top <<<"$picker"

# Resting on "Function key", the fourth row, opens its seven functions; "Copy" is the second.
xdotool mousemove --sync $((picker_left + 100)) $((picker_top + 4 + 3 * 36 + 18))
wait_until 5 shown 300x260 || fail "resting on Function key opened no sub-list"
sub=$(xwininfo -root -children | grep -F " 300x260+" | while read -r id _; do
  xwininfo -id "$id" | grep -q IsViewable && xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}'
done | head -n 1)
read -r sub_left sub_top <<<"$sub"
xdotool mousemove --sync $((sub_left + 150)) $((sub_top + 4 + 36 + 18))
sleep 0.3
xdotool click 1
wait_until 10 reg_is bt4 0xc || fail "choosing Copy stored $(reg_value bt4) in bt4"
wait_until 10 none_shown 300x224 || fail "the picker stayed open after the choice"

# Esc closes an open picker and assigns nothing.
click_client 470 262
wait_until 5 shown 300x224 || fail "the picker did not open again"
xdotool key Escape
wait_until 10 none_shown 300x224 || fail "Esc left the picker open"
[ "$(reg_value bt4)" = 0xc ] || fail "Esc changed bt4 to $(reg_value bt4)"

# Another program taking the foreground closes a picker opened for assignment.
click_client 470 262
wait_until 5 shown 300x224 || fail "the picker did not open a third time"
other_out=$(mktemp)
wine "$(dirname "$PROGRAM")/tests/win32/tilt_target.exe" vbar 1 >"$other_out" 2>/dev/null </dev/null &
other=$!
wait_until 30 grep -q ready "$other_out" || fail "the other program did not start"
wait_until 10 none_shown 300x224 || fail "the picker stayed open behind another program"
kill "$other" 2>/dev/null
rm -f "$other_out"

# Default restores Forward and Backward (15 and 14 on this system).
click_client 550 66
wait_until 10 reg_is bt4 0xe || fail "Default left bt4 at $(reg_value bt4)"
[ "$(reg_value bt3)" = 0xf ] || fail "Default left bt3 at $(reg_value bt3)"

# A language file beside the program renames functions: the running copy then knows "Copy" by
# its new name too.
work=$(mktemp -d)
trap 'rm -rf "$work"; cleanup' EXIT
cp "$PROGRAM" "$work/"
printf '[FUNCTION]\r\nstr13=Kopieren\r\n' >"$work/lang.ini"
run_program /close
wait_until 10 ended "$FIRST_PID" || fail "the first copy did not close"
PROGRAM="$work/$(basename "$PROGRAM")"
start_resident_copy
ran=$(timeout 20 wine "$PROGRAM" /run kopieren 2>/dev/null </dev/null | tr -d '\r')
[ "$ran" = 'Ran "Copy" (function 12).' ] || fail "the language file's name for Copy was not known: $ran"
# /list shows the name the running copy uses, with the English one beside it.
listed=$(timeout 20 wine "$PROGRAM" /list 2>/dev/null </dev/null | tr -d '\r' | grep '^12 ')
[ "$listed" = "12  Kopieren (Copy)       Function key    Presses Ctrl+C" ] || fail "/list showed: $listed"
window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y

# Minimize minimises the window; a later copy brings it back.
click_client 608 24
wait_until 10 probe is-iconic "$WINDOW_TITLE" || fail "Minimize did not minimise the window"
run_program
wait_until 10 window_visible || fail "the window did not come back"
wait_until 10 bash -c "! wine '$PROBE' is-iconic '$WINDOW_TITLE' >/dev/null 2>&1 </dev/null" || fail "the window stayed minimised"

# Close hides the window; the program goes on.
click_client 636 24
wait_until 10 window_hidden || fail "Close did not hide the window"
alive "$FIRST_PID" || fail "Close ended the program"

# On Windows 6.2 and later the catalogue is three entries shorter: Default stores 13 and 12.
version_key='HKCU\Software\Wine\AppDefaults\CorvanAssistant.exe'
wine reg add "$version_key" /v Version /d win8 /f >/dev/null 2>&1 </dev/null
trap 'wine reg delete "$version_key" /f >/dev/null 2>&1 </dev/null; rm -rf "$work"; cleanup' EXIT
run_program /close
wait_until 10 ended "$FIRST_PID" || fail "the copy did not close"
set_value bt3 0
set_value bt4 0
start_resident_copy
window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
left=$X
top=$Y
xdotool mousemove --sync $((left + 540)) $((top + 60))
click_client 550 66
wait_until 10 reg_is bt4 0xc || fail "Default on 6.2 left bt4 at $(reg_value bt4)"
[ "$(reg_value bt3)" = 0xd ] || fail "Default on 6.2 left bt3 at $(reg_value bt3)"
echo PASS
