#!/usr/bin/env bash
# /diagnose lists every HID interface with its facts and receiver family, touches no receiver,
# and never wakes a running copy.
source "$(dirname "$0")/lib.sh"
out=$(mktemp)
trap 'rm -f "$out"; cleanup' EXIT

start_hidden_copy

timeout 30 wine "$PROGRAM" /diagnose >"$out" 2>/dev/null </dev/null || fail "/diagnose did not end by itself"
cat "$out"
# Wine offers its own virtual mouse and keyboard; neither is a receiver.
grep -q 'VendorID=0x845E' "$out" || fail "Wine's virtual HID devices are not listed"
grep -Eq 'UsagePage=0x[0-9A-F]{4} InLen=[0-9]+ OutLen=[0-9]+ FeatLen=[0-9]+ family=none' "$out" ||
  fail "a line lacks its facts"
grep -q 'family=[1-6]' "$out" && fail "a virtual device was taken for a receiver"

sleep 0.5  # a wake-up would show the window within the listener's 100 ms
window_hidden || fail "/diagnose woke the running copy"
echo PASS
