#!/usr/bin/env bash
# The spotlight leaves the keyboard to the presentation: a window with the focus keeps receiving
# the keys a presenter's clicker sends (Page Down, arrows) while the spotlight is on, and Esc,
# which leaves the spotlight, is the spotlight's and does not reach the presentation. The
# highlighter, which takes the input, still comes to the foreground.
#
# Under a window manager, as on every desktop: without one the X server gives the keys to the
# window under the pointer, which over the spotlight's darkened part is the board whatever the
# foreground is.
source "$(dirname "$0")/lib.sh"
target_exe=$(dirname "$PROGRAM")/tests/win32/key_target.exe
out=$(mktemp)
trap 'rm -f "$out"; cleanup; [ -n "${target:-}" ] && kill "$target" 2>/dev/null; stop_window_manager' EXIT
ensure_window_manager
confined() { probe cursor-confined; }
free() { ! probe cursor-confined; }
keys() { tr -d '\r' < "$out" | grep '^key' | tr '\n' ';'; }
foreground() { wine "$PROBE" foreground 2>/dev/null </dev/null | tr -d '\r'; }
main_window_foreground() { foreground | grep -qF "\"$WINDOW_TITLE\""; }
# The keys so far, each followed by ";".
keys_are() { [ "$(keys)" = "$before$1" ]; }
# Gives the target the focus with a click and presses Page Down until it arrives.
target_has_keyboard() {
  xdotool mousemove --sync 400 300 click 1
  xdotool key Next
  wait_until 1 grep -q 'key 34' "$out"
}

start_hidden_copy
# A copy started hidden makes its hidden window the foreground a moment after hiding it: the
# target starts after that, so that it keeps the keyboard.
wait_until 5 main_window_foreground || fail "the hidden window never took the foreground"
wine "$target_exe" 100 >"$out" 2>/dev/null </dev/null &
target=$!
wait_until 15 grep -q ready "$out" || fail "the key target did not start"
wait_until 10 target_has_keyboard || fail "the target never got the keyboard: $(keys)"
before=$(keys)

run_program /run Spotlight || fail "Spotlight did not run"
wait_until 5 confined || fail "the spotlight did not come on"
xdotool key Next Right Left
wait_until 5 keys_are "key 34;key 39;key 37;" || fail "keys typed during the spotlight went elsewhere: $(keys) after $before, foreground $(foreground)"

# A click on the darkened part lands on the board: the keyboard stays where it was.
xdotool mousemove --sync 1000 700 click 1
xdotool key Next
wait_until 5 keys_are "key 34;key 39;key 37;key 34;" || fail "a click on the spotlight took the keyboard: $(keys), foreground $(foreground)"

# The overview's function only raises the board while it is on.
run_program /run "Expose application" || fail "the overview's function did not run"
xdotool key Next
wait_until 5 keys_are "key 34;key 39;key 37;key 34;key 34;" || fail "raising the spotlight took the keyboard: $(keys), foreground $(foreground)"

xdotool key Escape
wait_until 5 free || fail "Esc did not leave the spotlight"
# Keys arrive in order: once the Page Down after Esc is there, an Esc that got through would be too.
xdotool key Next
wait_until 5 keys_are "key 34;key 39;key 37;key 34;key 34;key 34;" || fail "Esc reached the presentation, or Page Down did not: $(keys)"

# The highlighter freezes the picture and takes the input: its board comes to the foreground.
board_foreground() { [ "$(foreground)" = '#32770 ""' ]; }
run_program /run Highlighter || fail "Highlighter did not run"
wait_until 5 confined || fail "the highlighter did not come on"
wait_until 5 board_foreground || fail "the highlighter's board did not take the foreground: $(foreground)"
xdotool key Escape
wait_until 5 free || fail "Esc did not leave the highlighter"
echo PASS
