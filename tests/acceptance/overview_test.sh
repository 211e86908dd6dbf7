#!/usr/bin/env bash
# "Expose application" opens the window overview over the whole monitor; Escape closes it, and so
# does a left click on empty space, which reaches the overview through the main window's raw input.
source "$(dirname "$0")/lib.sh"

overview_id() { xdotool search --onlyvisible --name '^qx_expwnd$' 2>/dev/null | head -n 1; }
overview_covers_screen() {
  local id; id=$(overview_id)
  [ -n "$id" ] && xdotool getwindowgeometry "$id" | grep -q "Geometry: $(screen_size)"
}
overview_closed() { [ -z "$(overview_id)" ]; }
screen_size() { xdpyinfo | awk '/dimensions:/ {print $2}'; }

start_hidden_copy
xdotool mousemove 640 400
run_program /run "Expose application" || fail "/run \"Expose application\" failed"
wait_until 15 overview_covers_screen || fail "the overview did not cover the screen"
xdotool key Escape
wait_until 15 overview_closed || fail "Escape did not close the overview"

run_program /run "Expose application" || fail "the second /run failed"
wait_until 15 overview_covers_screen || fail "the overview did not open a second time"
# A corner of the first cell is never part of an item.
xdotool mousemove 3 3 click 1
wait_until 15 overview_closed || fail "a click on empty space did not close the overview"
alive "$FIRST_PID" || fail "the program ended"
