#!/usr/bin/env bash
# The spotlight leaves the keyboard to the presentation: a window with the focus keeps receiving
# the keys a presenter's clicker sends (Page Down, arrows) while the spotlight is on, and Esc,
# which leaves the spotlight, is the spotlight's and does not reach the presentation.
source "$(dirname "$0")/lib.sh"
target_exe=$(dirname "$PROGRAM")/tests/win32/key_target.exe
out=$(mktemp)
trap 'rm -f "$out"; cleanup; [ -n "${target:-}" ] && kill "$target" 2>/dev/null' EXIT
confined() { probe cursor-confined; }
free() { ! probe cursor-confined; }
keys() { tr -d '\r' < "$out" | grep '^key' | tr '\n' ';'; }
# Gives the target the focus with a click and presses Page Down until it arrives.
target_has_keyboard() {
  xdotool mousemove --sync 400 300 click 1
  xdotool key Next
  wait_until 1 grep -q 'key 34' "$out"
}

start_hidden_copy
wine "$target_exe" 100 >"$out" 2>/dev/null </dev/null &
target=$!
wait_until 15 grep -q ready "$out" || fail "the key target did not start"
wait_until 10 target_has_keyboard || fail "the target never got the keyboard: $(keys)"
before=$(keys)

run_program /run Spotlight || fail "Spotlight did not run"
wait_until 5 confined || fail "the spotlight did not come on"
xdotool key Next Right Left
presented() { [ "$(keys)" = "${before}key 34;key 39;key 37;" ]; }
wait_until 5 presented || fail "keys typed during the spotlight went elsewhere: $(keys) after $before"

xdotool key Escape
wait_until 5 free || fail "Esc did not leave the spotlight"
# Keys arrive in order: once the Page Down after Esc is there, an Esc that got through would be too.
xdotool key Next
after_escape() { [ "$(keys)" = "${before}key 34;key 39;key 37;key 34;" ]; }
wait_until 5 after_escape || fail "Esc reached the presentation, or Page Down did not: $(keys)"
echo PASS
