#!/usr/bin/env bash
# The horizontal wheel never reaches the window under the pointer as it is: the tilt worker turns
# each notch into the scroll that window understands.
source "$(dirname "$0")/lib.sh"
target_exe=$(dirname "$PROGRAM")/tests/win32/tilt_target.exe
out=$(mktemp)
trap 'rm -f "$out"; cleanup' EXIT

start_resident_copy
hide_window

# Starts the target window (mode, messages to wait for) where the pointer may already be.
start_target_in_place() {
  : >"$out"
  wine "$target_exe" "$1" "$2" >"$out" 2>/dev/null </dev/null &
  target_pid=$!
  wait_until 15 grep -q ready "$out" || fail "$1: the target window did not start"
  read -r _ x y bar < <(tr -d '\r' < "$out" | grep ready)
}

# Starts the target window and puts the pointer over it.
start_target() {
  start_target_in_place "$@"
  xdotool mousemove 50 50
  xdotool mousemove --sync "$x" "$y"
}

# The lines after "ready", once the target has had all it waited for.
received() {
  wait_until 10 ended "$target_pid" || { kill "$target_pid" 2>/dev/null; fail "$1: only got: $(tr '\r\n' '  ' < "$out")"; }
  tr -d '\r' < "$out" | grep -v ready | tr '\n' ';'
}

# A notch after the pointer has rested longer than the system waits for a hook's thread to look
# at its messages, and the first notch over a window that has just appeared under the resting
# pointer: neither may pass through as a plain horizontal wheel message.
start_target hbar 2
sleep 7
xdotool click 7
got=$(received "after a rest")
[ "$got" = "hscroll 1 $bar;hscroll 8 $bar;" ] || fail "after a rest: got $got (bar $bar)"

# The pointer rests again, then a window appears under it.
sleep 7
start_target_in_place hbar 2
xdotool click 6
got=$(received "a new window")
[ "$got" = "hscroll 0 $bar;hscroll 8 $bar;" ] || fail "a new window: got $got (bar $bar)"

# Right (button 7) then left (button 6): a line step and its end each, with the bar as lParam.
start_target hbar 4
xdotool click 7
wait_until 5 grep -q 'hscroll 8' "$out" || fail "hbar: no scroll after the right tilt: $(tr '\r\n' '  ' < "$out")"
xdotool click 6
got=$(received hbar)
[ "$got" = "hscroll 1 $bar;hscroll 8 $bar;hscroll 0 $bar;hscroll 8 $bar;" ] || fail "hbar: got $got (bar $bar)"

start_target vbar 2
xdotool click 7
got=$(received vbar)
[ "$got" = "hscroll 1 0;hscroll 8 0;" ] || fail "vbar: got $got"

# One horizontal wheel message per notch, with the pointer's screen position.
start_target mozilla 2
xdotool click 7
wait_until 5 grep -q 'hwheel' "$out" || fail "mozilla: nothing after the right tilt"
xdotool click 6
got=$(received mozilla)
position=$(printf '%x' $(( (y << 16) | x )))
[ "$got" = "hwheel 120 0 $position;hwheel -120 0 $position;" ] || fail "mozilla: got $got"
echo PASS
