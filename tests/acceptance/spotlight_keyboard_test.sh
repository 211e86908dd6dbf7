#!/usr/bin/env bash
# The spotlight leaves the keyboard to the presentation: a window with the focus keeps receiving
# the keys a presenter's clicker sends (Page Down, arrows) while the spotlight is on.
source "$(dirname "$0")/lib.sh"
target_exe=$(dirname "$PROGRAM")/tests/win32/key_target.exe
out=$(mktemp)
trap 'rm -f "$out"; cleanup; [ -n "${target:-}" ] && kill "$target" 2>/dev/null' EXIT
confined() { probe cursor-confined; }
got() { tr -d '\r' < "$out" | grep '^key' | tr '\n' ';'; }

start_hidden_copy
wine "$target_exe" 4 >"$out" 2>/dev/null </dev/null &
target=$!
wait_until 15 grep -q ready "$out" || fail "the key target did not start"
xdotool mousemove --sync 400 300
xdotool key Next
wait_until 5 grep -q 'key 34' "$out" || fail "the target does not get the keys: $(got)"

run_program /run Spotlight || fail "Spotlight did not run"
wait_until 5 confined || fail "the spotlight did not come on"
xdotool key Next Right Left
wait_until 5 ended "$target" || fail "keys typed during the spotlight went elsewhere: $(got)"
[ "$(got)" = "key 34;key 34;key 39;key 37;" ] || fail "the target got $(got)"
run_program /run Spotlight
echo PASS
