#!/usr/bin/env bash
# The program ends only after its receivers are restored, whatever close requests come while the
# close sequence runs; and without its named events (another program holds the names) Esc still
# leaves it running and Exit still ends it through the close sequence.
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
holder_pid=""
trap 'cleanup; [ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null; rm -rf "$work"' EXIT

# Every interface a slow family 4 receiver: slow enough that the close sequence (12 requests,
# over 7 s) outlasts the wait for the other threads and the window's own end, and stays within
# the bound after which the program ends without it (8 s).
use_standin_receivers "$work" 4
export CORVAN_STANDIN_DELAY_MS=600

# Family 4: apply enables the remapping ("01 01"), the reset disables it ("01" alone).
resets() { grep -c 'send-feature 00 07 01 \[9\]' "$transcript" 2>/dev/null; }
opens() { grep -c '^open' "$transcript" 2>/dev/null; }
applied_at_start() { [ "$(grep -c 'send-feature 00 07 02' "$transcript" 2>/dev/null)" -ge "$(opens)" ] && [ "$(opens)" -ge 1 ]; }

start_resident_copy
wait_until 20 applied_at_start || fail "the first save reached no receiver: $(tr '\n' ';' < "$transcript")"
: >"$transcript"
# Exit, and at once a close request of the window's own (as Esc or Alt+F4 would make).
probe command "$WINDOW_TITLE" 32772 2
wait_until 20 ended "$FIRST_PID" || fail "Exit did not end the program"
interfaces=$(opens)
[ "$interfaces" -ge 2 ] || fail "the close sequence opened $interfaces interfaces: $(tr '\n' ';' < "$transcript")"
[ "$(resets)" -eq $((interfaces / 2)) ] || fail "the program ended before every receiver was reset: $(tr '\n' ';' < "$transcript")"

# Without the single-instance and close events, every interface a family 5 receiver, which is
# told whether the program runs: the last byte of its settings report (01 running, left out when
# 0).
unset CORVAN_STANDIN_DELAY_MS
export CORVAN_STANDIN_FAMILY=5
: >"$transcript"
held="$work/held.txt"
wine "$PROBE" hold-names zxmouseeventtouch zxmouseeventtouch_close >"$held" 2>/dev/null </dev/null &
holder_pid=$!
wait_until 15 grep -q ready "$held" || fail "could not take the event names"
start_resident_copy
said_running() { grep -q 'send-feature 05 00 00 11 11 .. 01 \[21\]' "$transcript" 2>/dev/null; }
wait_until 20 said_running || fail "the first save did not say the program runs: $(tr '\n' ';' < "$transcript")"
grep -q 'send-feature 05 00 00 11 11 .. \[21\]' "$transcript" && fail "a save said the program is closing"
probe command "$WINDOW_TITLE" 2
wait_until 2 ended "$FIRST_PID" && fail "Esc ended the program when its events were missing"
: >"$transcript"
probe command "$WINDOW_TITLE" 32772
wait_until 20 ended "$FIRST_PID" || fail "Exit did not end the program without its close event"
grep -q 'send-feature 05 00 00 11 11 \[21\]' "$transcript" || fail "Exit without the close event restored no receiver: $(tr '\n' ';' < "$transcript")"
echo PASS
