#!/usr/bin/env bash
# Leaving the program with a presenter mode on gives the pointer back: the end of the session
# (whose handler may be the last thing the process does) with each mode, the tray's Exit and
# /close. (Wine frees the pointer of a process that has ended, so only the session's end can show
# a board left on; it also frees it when the board's window goes, so the board's own destroy step
# is checked in board_dlg_win32_test.)
source "$(dirname "$0")/lib.sh"
confined() { probe cursor-confined; }
free() { ! probe cursor-confined; }

# The board covers the monitor, one pixel narrower.
eval "$(xdotool getdisplaygeometry --shell)"
board_on() { window_on_screen " $((WIDTH - 1))x$HEIGHT+0+0"; }

for mode in Highlighter "Screen snap #1" "Screen snap #2" Spotlight; do
  start_hidden_copy
  run_program /run "$mode" || fail "$mode did not run"
  wait_until 5 confined || fail "$mode did not confine the pointer to its monitor"
  probe end-session "$WINDOW_TITLE" || fail "$mode: the window did not answer the end of the session"
  free || fail "$mode: the end of the session left the pointer confined"
  ! board_on || fail "$mode: the board stayed on the screen after the end of the session"
  wait_until 15 ended "$FIRST_PID" || fail "$mode: the copy did not end after the session"
done

kTrayExit=32772
start_hidden_copy
run_program /run Highlighter || fail "Highlighter did not run"
wait_until 5 confined || fail "Highlighter did not confine the pointer"
probe command "$WINDOW_TITLE" $kTrayExit
wait_until 10 ended "$FIRST_PID" || fail "Exit did not end the copy with the highlighter on"
free || fail "Exit left the pointer confined"

start_hidden_copy
run_program /run Spotlight || fail "Spotlight did not run"
wait_until 5 confined || fail "Spotlight did not confine the pointer"
run_program /close
wait_until 10 ended "$FIRST_PID" || fail "/close did not end the copy with the spotlight on"
free || fail "/close left the pointer confined"
echo PASS
