#!/usr/bin/env bash
# /close and /reset from a later copy, alone and together, and with no copy running.
source "$(dirname "$0")/lib.sh"

# /close with no copy running creates neither the key nor an event.
delete_key
run_program /close
key_exists && fail "/close alone created the settings key"
probe event-exists zxmouseeventtouch_close && fail "/close alone left a close event"

# A second copy with /reset deletes the key (start-up then makes it again, empty) and wakes the
# running copy, which keeps its settings in memory until its next save.
start_hidden_copy
wait_until 10 reg_value bt3 || fail "the first save did not write the values"
run_program /reset
reg_value bt3 && fail "/reset did not delete the values"
key_exists || fail "/reset did not make the key again"
wait_until 5 window_visible || fail "/reset did not wake the running copy"

# /reset together with /close closes the running copy and keeps the key.
set_value bt3 5
run_program /reset /close
wait_until 10 ended "$FIRST_PID" || fail "/reset /close did not close the running copy"
[ "$(reg_value bt3)" = "0x5" ] || fail "/reset /close deleted the settings"

# /reset on a first copy starts from an empty key, and the first save writes the factory
# assignment back (Forward, entry 15 on 6.1, on bt3).
start_resident_copy /reset
wait_until 10 reg_value bt4 || fail "the first save after a reset wrote nothing"
[ "$(reg_value bt3)" = "0xf" ] || fail "bt3 was not reset to Forward: $(reg_value bt3)"
# /close returns once the copy has ended, so that what comes next (an installer replacing the
# file, a new copy) finds the executable and the events free.
run_program /close
probe event-exists zxmouseeventtouch && fail "/close returned while the copy still ran"
wait_until 10 ended "$FIRST_PID" || fail "/close did not end the running copy"
echo PASS
