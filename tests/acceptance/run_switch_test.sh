#!/usr/bin/env bash
# /run NAME has the running copy run a function as a press and release of a mouse input would;
# /list prints the catalogue. Bad names get one line and exit 2; without a running copy, exit 1
# and nothing created.
source "$(dirname "$0")/lib.sh"
observer_exe=$(dirname "$PROGRAM")/tests/win32/key_observer.exe
out=$(mktemp)
keys=$(mktemp)
version_key='HKCU\Software\Wine\AppDefaults\CorvanAssistant.exe'
trap 'rm -f "$out" "$keys"; wine reg delete "$version_key" /f >/dev/null 2>&1 </dev/null; cleanup' EXIT

# Runs the program with the arguments, output into $out; prints the exit code.
run_switch() {
  local status=0
  timeout 30 wine "$PROGRAM" "$@" >"$out" 2>/dev/null </dev/null || status=$?
  echo "$status"
}
lines() { tr -d '\r' < "$out" | grep -c .; }

delete_key
[ "$(run_switch /run Copy)" = 1 ] || fail "/run without a running copy did not exit 1: $(cat "$out")"
[ "$(lines)" = 1 ] || fail "/run without a running copy printed $(lines) lines"
key_exists && fail "/run without a running copy created the settings key"
probe event-exists zxmouseeventtouch && fail "/run without a running copy left an event"

for word in /? /help -h; do
  [ "$(run_switch "$word")" = 0 ] || fail "$word did not exit 0"
  grep -q '/run NAME' "$out" && grep -q '/close' "$out" || fail "$word printed: $(cat "$out")"
done
key_exists && fail "/? created the settings key"
probe event-exists zxmouseeventtouch && fail "/? left an event"

[ "$(run_switch /list)" = 0 ] || fail "/list failed"
[ "$(lines)" = 31 ] || fail "/list printed $(lines) lines on 6.1"
grep -q 'Copy .*Function key .*Presses Ctrl+C' "$out" || fail "/list does not describe Copy: $(cat "$out")"
wine reg add "$version_key" /v Version /d win8 /f >/dev/null 2>&1 </dev/null
[ "$(run_switch /list)" = 0 ] && [ "$(lines)" = 28 ] || fail "/list printed $(lines) lines on 6.2"
wine reg delete "$version_key" /f >/dev/null 2>&1 </dev/null

start_hidden_copy
wine "$observer_exe" 4 >"$keys" 2>/dev/null </dev/null &
observer=$!
wait_until 15 grep -q ready "$keys" || fail "the key observer did not start"
[ "$(run_switch /run copy)" = 0 ] || fail "/run copy did not exit 0: $(cat "$out")"
grep -q 'Ran "Copy"' "$out" || fail "/run copy said: $(cat "$out")"
wait_until 10 ended "$observer" || { kill "$observer" 2>/dev/null; fail "keys seen: $(tr '\r\n' '  ' < "$keys")"; }
seen=$(tr -d '\r' < "$keys" | grep -v ready | tr '\n' ';')
[ "$seen" = "A2 down;43 down;A2 up;43 up;" ] || fail "/run Copy sent: $seen"
window_hidden || fail "/run woke the main window"

[ "$(run_switch /run "No function")" = 0 ] || fail "/run \"No function\" did not exit 0: $(cat "$out")"
[ "$(run_switch /run 12)" = 0 ] && grep -q 'Ran "Copy"' "$out" || fail "/run 12 said: $(cat "$out")"
for bad in Nonsense -1 31 2147483648 '' "$(printf 'x%.0s' $(seq 1 10000))"; do
  [ "$(run_switch /run "$bad")" = 2 ] || fail "/run '${bad:0:20}' did not exit 2: $(head -c 200 "$out")"
  [ "$(lines)" = 1 ] || fail "/run '${bad:0:20}' printed $(lines) lines"
done
alive "$FIRST_PID" || fail "bad names disturbed the running copy"
window_hidden || fail "bad names woke the main window"

# A group opens its functions as a quick-launch list at the pointer, 300 x 260 for the seven
# function keys; a click elsewhere closes it.
picker_at() { window_on_screen "$1"; }
picker_gone() { ! picker_at "$1"; }
xdotool mousemove 100 100
[ "$(run_switch /run "Function key")" = 0 ] || fail "/run \"Function key\" said: $(cat "$out")"
wait_until 5 picker_at 300x260+99+99 || fail "no quick-launch list at the pointer: $(xwininfo -root -children | grep 300x)"
target_out=$(mktemp)
wine "$(dirname "$PROGRAM")/tests/win32/tilt_target.exe" hbar 1 >"$target_out" 2>/dev/null </dev/null &
target=$!
wait_until 15 grep -q ready "$target_out" || fail "no window to click on"
xdotool mousemove --sync 650 450 click 1
wait_until 5 picker_gone 300x260+99+99 || fail "a click elsewhere left the quick-launch list open"
kill "$target" 2>/dev/null
rm -f "$target_out"

# While the tray menu is open the running copy says it is busy.
click_tray_icon 3 || fail "no tray icon to click"
wait_until 3 menu_visible || fail "the tray menu did not open"
[ "$(run_switch /run Copy)" = 3 ] || fail "/run with the menu open did not report busy: $(cat "$out")"
close_menu || fail "the menu did not close"
[ "$(run_switch /run Copy)" = 0 ] || fail "/run after the menu closed: $(cat "$out")"
echo PASS
