#!/usr/bin/env bash
# Raw mouse input reaches a window registered with the input-sink flag, with its button flags.
source "$(dirname "$0")/lib.sh"
probe_exe=$(dirname "$PROGRAM")/tests/win32/raw_mouse_probe.exe
out=$(mktemp)
trap 'rm -f "$out"; cleanup' EXIT

wine "$probe_exe" 4 >"$out" 2>/dev/null </dev/null &
probe_pid=$!
wait_until 15 grep -q ready "$out" || fail "the probe did not start"
xdotool mousemove 300 300
xdotool mousemove --sync 250 250 click 1 click 3
wait_until 10 ended "$probe_pid" || { kill "$probe_pid" 2>/dev/null; fail "only got: $(tr '\n' ' ' < "$out")"; }
flags=$(tr -d '\r' < "$out" | grep buttons= | tr '\n' ' ')
# Left down 0x0001, left up 0x0002, right down 0x0004, right up 0x0008.
[ "$flags" = "buttons=0x0001 buttons=0x0002 buttons=0x0004 buttons=0x0008 " ] || fail "got: $flags"
echo PASS
