#!/usr/bin/env bash
# At 125 %, 150 % and 200 % (Wine's LogPixels) the main window is its picture times the scale, a
# click on a scaled callout opens the picker at the scaled size under it, and the hint's tip
# grows with the scale.
source "$(dirname "$0")/lib.sh"
dpi_key='HKCU\Control Panel\Desktop'
restore_dpi() { wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 </dev/null || true; }
trap 'cleanup; restore_dpi' EXIT

px() { echo $(( ($1 * 2 * dpi + 96) / 192 )); }  # a length at 96 DPI at this DPI, halves upwards
shown() { window_on_screen " $1+"; }
none_shown() { ! shown "$1"; }
# The hint's tip is 58 pixels high at 96 DPI; at another scale, that times the scale (the text is
# measured at the scaled size, so give or take a few pixels).
tip_scaled() {
  local id h low=$(( $(px 58) - 4 )) high=$(( $(px 58) + 4 ))
  for id in $(xwininfo -root -children 2>/dev/null | grep -F '(has no name)' | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' || continue
    h=$(xwininfo -id "$id" | awk '/Height:/ {print $NF}')
    [ "$h" -ge "$low" ] && [ "$h" -le "$high" ] && return 0
  done
  return 1
}

read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
fit() { [ "$1" -le "$2" ] && echo "$1" || echo "$2"; }

for dpi in 120 144 192; do
  wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null
  delete_key
  start_resident_copy
  window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # At 200 % the window is larger than the test display, which the window manager does not allow.
  wanted="$(fit "$(px 665)" "$screen_width")x$(fit "$(px 490)" "$screen_height")"
  [ "${WIDTH}x${HEIGHT}" = "$wanted" ] || fail "at $dpi DPI the window is ${WIDTH}x${HEIGHT}, not $wanted"

  # The right side button's callout (x 454 on at 96 DPI, the middle of its line at 262).
  xdotool mousemove 5 5
  xdotool mousemove --sync $((X + $(px 470))) $((Y + $(px 262)))
  wait_until 5 tip_scaled || fail "at $dpi DPI no hint about $(px 58) high: $(xwininfo -root -children | grep -F '(has no name)' | head)"
  xdotool click 1
  picker="$(px 300)x$(px 224)"
  wait_until 5 shown "$picker" || fail "at $dpi DPI no $picker picker: $(xwininfo -root -children | grep -E ' [0-9]+x[0-9]+\+' | head)"
  xdotool key Escape
  wait_until 10 none_shown "$picker" || fail "at $dpi DPI Esc left the picker open"

  run_program /close
  wait_until 10 ended "$FIRST_PID" || fail "/close did not end the copy at $dpi DPI"
done
# A snap covers the monitor in its own pixels at every scale: at 150 % a drag over 121 x 61 screen
# pixels puts 121 x 61 pixels on the clipboard.
work=$(mktemp -d)
trap 'xdotool mouseup 1; cleanup; restore_dpi; rm -rf "$work"' EXIT
wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 </dev/null
start_resident_copy
board_on() { window_on_screen " $((screen_width - 1))x$screen_height+0+0"; }
clipboard_size() {
  xclip -selection clipboard -t image/bmp -o >"$work/clip.bmp" 2>/dev/null && identify -format '%wx%h' "$work/clip.bmp" 2>/dev/null
}
clipboard_is() { [ "$(clipboard_size)" = "$1" ]; }
printf 'none' | xclip -selection clipboard
timeout 30 wine "$PROGRAM" /run "Screen snap #1" >/dev/null 2>&1 </dev/null || true
wait_until 10 board_on || fail "at 144 DPI the snap board does not cover the display"
# Each step waits for the board to draw it: the selection's red outline.
is_red() {
  local r g b
  read -r r g b <<<"$(import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 |
    sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/')"
  [ "${r:-0}" -gt 120 ] && [ "${g:-255}" -lt 90 ] && [ "${b:-255}" -lt 90 ]
}
xdotool mousemove 300 200
xdotool mousedown 1
wait_until 5 is_red 300 200 || fail "at 144 DPI the press drew no outline"
xdotool mousemove 360 230
xdotool mousemove 420 260
wait_until 5 is_red 420 210 || fail "at 144 DPI the outline did not follow the pointer"
xdotool mouseup 1
wait_until 10 clipboard_is 121x61 || fail "at 144 DPI the clipboard holds $(clipboard_size), not the 121x61 selection"
timeout 30 wine "$PROGRAM" /run "Screen snap #1" >/dev/null 2>&1 </dev/null || true
echo PASS
