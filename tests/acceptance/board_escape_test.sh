#!/usr/bin/env bash
# Esc leaves every presenter mode that takes the input, as running its function again does. (The
# spotlight leaves the keyboard to the window under it: spotlight_keyboard_test presses Esc there.)
source "$(dirname "$0")/lib.sh"
confined() { probe cursor-confined; }
free() { ! probe cursor-confined; }

start_hidden_copy
xdotool mousemove --sync 400 300
for mode in Highlighter "Screen snap #1" "Screen snap #2"; do
  run_program /run "$mode" || fail "$mode did not run"
  wait_until 5 confined || fail "$mode did not come on"
  xdotool key Escape
  wait_until 5 free || fail "Esc did not leave $mode"
done
# And a mode comes on again after it.
run_program /run Highlighter
wait_until 5 confined || fail "the highlighter did not come on after Esc"
run_program /run Highlighter
wait_until 5 free || fail "the highlighter did not go off"
echo PASS
