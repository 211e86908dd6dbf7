#!/usr/bin/env bash
# No way out of the program leaves a receiver with its side buttons reassigned: /restore sends the
# exit sequence with or without a running copy, and the end of the session runs the close
# sequence before the handler returns. Every interface plays a family 4 receiver (stand-in hid.dll).
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
crash_key='HKCU\Software\Wine\WineDbg'
trap 'cleanup; wine reg delete "$crash_key" /v ShowCrashDialog /f >/dev/null 2>&1 </dev/null; rm -rf "$work"' EXIT

use_standin_receivers "$work" 4

count() { grep -c -- "$1" "$transcript" 2>/dev/null || true; }
opens() { count '^open'; }
# Family 4: the settings with nothing reassigned ("01 01", then F = 00), and the reset ("01" alone).
neutral() { count 'send-feature 00 07 01 01 \[9\]'; }
resets() { count 'send-feature 00 07 01 \[9\]'; }
reassigned() { count 'send-feature 00 07 02 [1-9]'; }

# Without a running copy: the exit sequence, and nothing created.
delete_key
: >"$transcript"
run_program /restore || fail "/restore failed"
interfaces=$(( $(opens) / 2 ))
[ "$interfaces" -ge 1 ] || fail "/restore opened nothing: $(tr '\n' ';' < "$transcript")"
[ "$(neutral)" = "$interfaces" ] && [ "$(resets)" = "$interfaces" ] && [ "$(reassigned)" = 0 ] ||
  fail "/restore sent: $(tr '\n' ';' < "$transcript")"
last_neutral=$(grep -n 'send-feature 00 07 01 01' "$transcript" | tail -1 | cut -d: -f1)
first_reset=$(grep -n 'send-feature 00 07 01 \[9\]' "$transcript" | head -1 | cut -d: -f1)
[ "$last_neutral" -lt "$first_reset" ] || fail "a reset came before the neutral settings"
key_exists && fail "/restore created the settings key"
probe event-exists zxmouseeventtouch && fail "/restore left an event"

# With a copy running that reassigned the side buttons: it is closed, and both restore.
set_value bt3 12
set_value bt4 11
start_resident_copy
saved_reassigned() { [ "$(reassigned)" -ge 1 ]; }
wait_until 20 saved_reassigned || fail "the running copy's first save reached no receiver"
: >"$transcript"
run_program /restore || fail "/restore with a running copy failed"
ended "$FIRST_PID" || wait_until 10 ended "$FIRST_PID" || fail "/restore left the running copy running"
[ "$(resets)" = $((2 * interfaces)) ] || fail "the copy and /restore reset $(resets) times: $(tr '\n' ';' < "$transcript")"

# The end of the session: the close sequence has run when the message has been answered.
start_resident_copy
: >"$transcript"
probe end-session "$WINDOW_TITLE" || fail "the window did not answer the end of the session"
[ "$(resets)" = "$interfaces" ] || fail "the end of the session reset $(resets) of $interfaces: $(tr '\n' ';' < "$transcript")"

# A crash in any thread: the receivers are restored before the process dies. (Wine's crash
# dialog would wait for a click; it is turned off for this.)
wait_until 15 ended "$FIRST_PID" || fail "the copy did not end after the session"
wine reg add "$crash_key" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
cp "$(dirname "$1")/tests/win32/hook_library_crash.dll" "$work/QxHOOK.DLL"
: >"$transcript"
start_program
wait_until 30 ended "$LAST_PID" || fail "the crashing program did not end"
[ "$(resets)" = "$interfaces" ] || fail "the crash restored $(resets) of $interfaces: $(tr '\n' ';' < "$transcript")"
last_reassigned=$(grep -n 'send-feature 00 07 02 [1-9]' "$transcript" | tail -1 | cut -d: -f1)
last_reset=$(grep -n 'send-feature 00 07 01 \[9\]' "$transcript" | tail -1 | cut -d: -f1)
[ -z "$last_reassigned" ] || [ "$last_reassigned" -lt "$last_reset" ] ||
  fail "a receiver was told of reassigned buttons after the restore: $(tr '\n' ';' < "$transcript")"
rm -f "$work/QxHOOK.DLL"
echo PASS
