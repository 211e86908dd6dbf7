#!/usr/bin/env bash
# One copy per logon: a second copy wakes the first and ends; /hide on a second copy only wakes.
source "$(dirname "$0")/lib.sh"

start_hidden_copy

for switches in "" "/hide"; do
  start_program $switches
  second=$LAST_PID
  wait_until 10 ended "$second" || fail "the second copy ($switches) did not end"
  wait_until 5 window_visible || fail "the second copy ($switches) did not wake the first"
  alive "$FIRST_PID" || fail "the first copy ended"
  wait_until 5 hide_and_stay_hidden || fail "could not hide the window again"
done

run_program /close
wait_until 10 ended "$FIRST_PID" || fail "/close did not end the running copy"
key_exists || fail "the settings key is missing"
echo PASS
