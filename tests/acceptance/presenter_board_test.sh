#!/usr/bin/env bash
# The presenter board driven from outside: /run toggles its modes, xdotool moves and clicks (the
# program sees them as raw input), the screen is read back with ImageMagick, the clipboard with
# xclip and the snaps in the desktop's "Screen Snap" folder.
source "$(dirname "$0")/lib.sh"
desktop=$(ls -d "$WINEPREFIX"/drive_c/users/*/Desktop | grep -v /Public/ | head -n 1)
snaps="$desktop/Screen Snap"
work=$(mktemp -d)
compositor=""
# A failure in the middle of a drag must not leave the button held for the tests that follow.
trap 'xdotool mouseup 1; rm -rf "$work"; [ -n "$compositor" ] && kill "$compositor" 2>/dev/null; rm -rf "$snaps"; cleanup' EXIT
rm -rf "$snaps"

# The monitor is the virtual display's; the board covers it one pixel narrower.
eval "$(xdotool getdisplaygeometry --shell)"
board_size="$((WIDTH - 1))x$HEIGHT+0+0"
board_on() { window_on_screen " $board_size"; }
board_off() { ! board_on; }
# Under Wine without a window manager every tip that replaces a visible one holds the program's
# thread for about 2 s, so a /run right after a few snaps may give up waiting for its answer while
# the request still arrives. Each toggle is sent once; the board's state, checked after every
# call, is what counts.
run_function() { timeout 30 wine "$PROGRAM" /run "$1" >/dev/null 2>&1 </dev/null || true; }

# "r g b" of one pixel of the screen, or of a picture file with a third argument.
pixel() {
  local source=${3:-}
  if [ -z "$source" ]; then
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null
  else
    convert "$source" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null
  fi | tail -n 1 | sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}
is_red() {  # x y [file]
  local r g b
  read -r r g b <<<"$(pixel "$@")"
  [ "${r:-0}" -gt 120 ] && [ "${g:-255}" -lt 90 ] && [ "${b:-255}" -lt 90 ]
}
# The program reads the pointer's place when it handles a press, and under Wine without a window
# manager a tip going away holds its thread for about 2 s: a press is made only once the tips
# (58 pixels high at the function tip's text size, 88 at the board's) are gone, so that it is
# handled where it was made.
tips_gone() { ! window_on_screen "x58+" && ! window_on_screen "x88+"; }
press_at() {
  xdotool mousemove "$1" "$2"
  wait_until 15 tips_gone || fail "a tip stayed on the screen"
  xdotool mousedown 1
}
snap_count() { find "$snaps" -name 'screen_*.png' 2>/dev/null | wc -l; }
snaps_reach() { [ "$(snap_count)" -ge "$1" ]; }
newest_snap() { ls -t "$snaps"/screen_*.png | head -n 1; }
picture_size() { identify -format '%wx%h' "$1" 2>/dev/null; }

# The program's own window gives the frozen picture something to show.
start_resident_copy
xdotool mousemove 640 400
# Darkened: the sum of the channels well under half of what was there before any board.
brightness() { local r g b; read -r r g b <<<"$(pixel "$1" "$2")"; echo $((r + g + b)); }
declare -A before_board
# The window may be mapped a moment before its picture is on the screen.
lit() { [ "$(brightness "$1" "$2")" -ge 60 ]; }
for point in "900 300" "890 400" "690 400" "850 400"; do
  # shellcheck disable=SC2086
  wait_until 5 lit $point || true
  # shellcheck disable=SC2086
  before_board[$point]=$(brightness $point)
  [ "${before_board[$point]}" -ge 60 ] || fail "nothing to darken at $point: $(brightness $point)"
done
darkened() { [ $(($(brightness "$1" "$2") * 2)) -lt "${before_board[$1 $2]}" ]; }

# Highlighter: the board covers the monitor one pixel narrower and a drag paints red strokes.
run_function "Highlighter"
wait_until 10 board_on || fail "the highlighter board did not cover the monitor ($board_size): $(xwininfo -root -children | grep corvan)"
press_at 400 300
wait_until 5 is_red 400 300 || fail "pressing the left button painted no red dot: $(pixel 400 300)"
xdotool mousemove 500 350
wait_until 5 is_red 450 325 || fail "the drag painted no red stroke: $(pixel 450 325)"
xdotool mouseup 1
# Away from the stroke the mark follows the pointer; the snap must not hold it.
xdotool mousemove 800 600
wait_until 5 is_red 808 600 || fail "no pointer mark at the pointer: $(pixel 808 600)"

# A right click writes the whole board, strokes included, as a PNG with alpha.
xdotool click 3
wait_until 10 snaps_reach 1 || fail "a right click wrote no PNG into $snaps"
first=$(newest_snap)
wait_until 5 picture_size "$first" || fail "the PNG is unreadable"
[ "$(picture_size "$first")" = "$((WIDTH - 1))x$HEIGHT" ] || fail "the PNG is $(picture_size "$first")"
[[ "$(basename "$first")" =~ ^screen_[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}h[0-9]{2}m[0-9]{2}s\ [AP]M\.png$ ]] ||
  fail "the PNG is named $(basename "$first")"
identify -format '%[channels]' "$first" | grep -q a || fail "the PNG has no alpha channel"
is_red 450 325 "$first" || fail "the PNG lacks the stroke: $(pixel 450 325 "$first")"
is_red 808 600 "$first" && fail "the PNG holds the pointer mark"

# Two snaps within one second: the second does not replace the first.
xdotool click --repeat 2 --delay 30 3
wait_until 10 snaps_reach 3 || fail "two quick snaps left $(snap_count) files"

# Turning the mode off while a snap is being written: the file is still written whole.
xdotool click 3
run_function "Highlighter"
wait_until 10 snaps_reach 4 || fail "the snap written while the board went off is missing"
wait_until 10 board_off || fail "the board stayed after its second toggle"
for file in "$snaps"/*.png; do
  [ "$(picture_size "$file")" = "$((WIDTH - 1))x$HEIGHT" ] || fail "$(basename "$file") is not a whole picture"
done

# Rectangle snap: a drag puts a bitmap of the dragged size on the clipboard, and a right click
# then writes the same selection to a file.
printf 'none' | xclip -selection clipboard
xdotool mousemove 640 400
run_function "Screen snap #1"
wait_until 10 board_on || fail "the snap board did not open"
press_at 300 200
wait_until 5 is_red 300 200 || fail "no outline of the pressed pixel: $(pixel 300 200)"
xdotool mousemove 360 230
wait_until 5 is_red 300 200 || fail "no dashed outline while selecting: $(pixel 300 200)"
xdotool mousemove 420 260
wait_until 5 is_red 420 210 || fail "the outline did not follow the pointer: $(pixel 420 210)"
xdotool mouseup 1
clipboard_size() {
  xclip -selection clipboard -t image/bmp -o >"$work/clip.bmp" 2>/dev/null && picture_size "$work/clip.bmp"
}
clipboard_is() { [ "$(clipboard_size)" = "$1" ]; }
wait_until 10 clipboard_is 121x61 || fail "the clipboard holds $(clipboard_size), not the 121x61 selection"
# The selection stays clear and everything around it darkens.
wait_until 5 darkened 900 300 || fail "the surroundings of the selection are not darkened: $(pixel 900 300)"
before=$(snap_count)
xdotool mousemove 700 500 click 3
wait_until 10 snaps_reach $((before + 1)) || fail "a right click after the selection wrote no file"
[ "$(picture_size "$(newest_snap)")" = 121x61 ] || fail "the file holds $(picture_size "$(newest_snap)"), not the selection"

# A click without moving copies one pixel.
press_at 350 450
xdotool mouseup 1
wait_until 10 clipboard_is 1x1 || fail "a click copied $(clipboard_size), not 1x1"
run_function "Screen snap #1"
wait_until 10 board_off || fail "the snap board stayed after its second toggle"

# Free-form snap: a lasso's bounding rectangle goes to the clipboard and a right click writes it,
# transparent outside the lasso.
run_function "Screen snap #2"
wait_until 10 board_on || fail "the free-form snap board did not open"
press_at 300 200
xdotool mousemove 420 200
wait_until 5 is_red 300 200 || fail "no dashed lasso while selecting: $(pixel 300 200)"
xdotool mousemove 300 300
wait_until 5 is_red 360 250 || fail "the lasso did not follow the pointer: $(pixel 360 250)"
xdotool mouseup 1
wait_until 10 clipboard_is 121x101 || fail "the clipboard holds $(clipboard_size), not the lasso's 121x101"
before=$(snap_count)
xdotool mousemove 700 500 click 3
wait_until 10 snaps_reach $((before + 1)) || fail "a right click after the lasso wrote no file"
lasso_snap=$(newest_snap)
wait_until 5 picture_size "$lasso_snap" || fail "the lasso's PNG is unreadable"
[ "$(picture_size "$lasso_snap")" = 121x101 ] || fail "the lasso's file is $(picture_size "$lasso_snap")"
alpha_at() { convert "$lasso_snap" -crop "1x1+$1+$2" -format '%[fx:a]' info: 2>/dev/null; }
[ "$(alpha_at 10 10)" = 1 ] || fail "inside the lasso is not opaque: $(alpha_at 10 10)"
[ "$(alpha_at 110 90)" = 0 ] || fail "outside the lasso is not transparent: $(alpha_at 110 90)"
run_function "Screen snap #2"
wait_until 10 board_off || fail "the free-form snap board stayed after its second toggle"

# A folder that cannot be made: nothing is written, and the board carries on.
rm -rf "$snaps"
touch "$snaps"
run_function "Highlighter"
wait_until 10 board_on || fail "the highlighter did not open again"
xdotool click 3
sleep_until_settled() { alive "$FIRST_PID" && board_on; }
wait_until 3 sleep_until_settled || fail "a snap that could not be written ended the board or the program"
[ -f "$snaps" ] || fail "the file in the folder's place was touched"
run_function "Highlighter"
wait_until 10 board_off || fail "the highlighter stayed on"
rm -f "$snaps"

# Spotlight (a compositor shows the board's transparency): all but the square around the pointer
# darkens, live.
xcompmgr >/dev/null 2>&1 &
compositor=$!
xdotool mousemove 640 400
# Tips show at the board's centre, over the pixel read here, and fade: the screen is read with none.
wait_until 15 tips_gone || fail "a tip stayed on the screen"
read -r r0 g0 b0 <<<"$(pixel 790 400)"
# There is no change from one mode to another: "Spotlight" over the highlighter turns the board
# off, and only the next one turns the spotlight on.
run_function "Highlighter"
wait_until 10 board_on || fail "the highlighter did not open before the spotlight"
run_function "Spotlight"
wait_until 10 board_off || fail "the spotlight over the highlighter did not turn the board off"
run_function "Spotlight"
wait_until 10 board_on || fail "the spotlight did not open"
wait_until 5 darkened 890 400 || fail "outside the spotlight is not darkened: $(pixel 890 400)"
# The highlighter's tip may still be fading out over the square.
wait_until 15 tips_gone || fail "a tip stayed on the screen"
read -r r g b <<<"$(pixel 790 400)"
[ "$r $g $b" = "$r0 $g0 $b0" ] || fail "inside the spotlight the screen changed: $r $g $b, was $r0 $g0 $b0"
# The wheel grows the square by 10 a notch: 430 reaches past x = 850.
wait_until 5 darkened 850 400 || fail "outside the spotlight is not darkened: $(pixel 850 400)"
xdotool click --repeat 3 --delay 50 4
not_darkened() { ! darkened "$@"; }
wait_until 5 not_darkened 850 400 || fail "the wheel did not grow the spotlight: $(pixel 850 400)"
xdotool mousemove 950 400
wait_until 5 darkened 690 400 || fail "the spotlight did not follow the pointer"
run_function "Spotlight"
wait_until 10 board_off || fail "the spotlight stayed on"
alive "$FIRST_PID" || fail "the program ended"
echo PASS
