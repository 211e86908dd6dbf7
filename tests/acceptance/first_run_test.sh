#!/usr/bin/env bash
# The first run keeps the side buttons the user had: a fresh settings key gets the factory
# assignment (Forward and Backward on the side buttons), and the receiver is told that nothing
# lost its native job. A key that holds values keeps them. Every interface plays a family 4
# receiver (stand-in hid.dll).
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT

use_standin_receivers "$work" 4
count() { grep -c -- "$1" "$transcript" 2>/dev/null || true; }
# Family 4's settings report: "01 01" with nothing reassigned, "02 .." when a side button was.
neutral() { count 'send-feature 00 07 01 01 \[9\]'; }
reassigned() { count 'send-feature 00 07 02 [1-9]'; }
saved_neutral() { [ "$(neutral)" -ge 1 ]; }
saved_reassigned() { [ "$(reassigned)" -ge 1 ]; }
values() { local name; for name in "$@"; do printf '%s=%s ' "$name" "$(reg_value "$name")"; done; }
all_values() { values order "extra key" "gesture up" "gesture down" "gesture left" "gesture right" bt0 bt1 bt2 bt3 bt4; }

delete_key
: >"$transcript"
start_resident_copy
wait_until 10 reg_value bt4 || fail "the first save wrote nothing"
# Forward and Backward are entries 15 and 14 of the catalogue on 6.1.
expected="order=0x0 extra key=0x0 gesture up=0x0 gesture down=0x0 gesture left=0x0 gesture right=0x0 bt0=0x0 bt1=0x0 bt2=0x0 bt3=0xf bt4=0xe "
[ "$(all_values)" = "$expected" ] || fail "the first run stored $(all_values)"
wait_until 20 saved_neutral || fail "the first run told no receiver: $(tr '\n' ';' < "$transcript")"
[ "$(reassigned)" = 0 ] || fail "the first run reassigned a side button: $(tr '\n' ';' < "$transcript")"
run_program /close
wait_until 10 ended "$FIRST_PID" || fail "/close did not end the copy"

# A key that already holds values is read as it is, "No function" included.
delete_key
set_value bt3 0
: >"$transcript"
start_resident_copy
wait_until 20 saved_reassigned || fail "a stored bt3 of 0 reached no receiver: $(tr '\n' ';' < "$transcript")"
[ "$(reg_value bt3)" = 0x0 ] || fail "a stored bt3 of 0 became $(reg_value bt3)"
echo PASS
