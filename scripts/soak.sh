#!/usr/bin/env bash
# A day of use, many times over, against the real program under Wine with stand-in receivers:
# each cycle opens the overview over three windows and closes it (Escape, Enter and a click in
# turn), turns every board mode on and off with strokes and snaps (to the clipboard and into the
# desktop's "Screen Snap" folder), opens a quick-launch list and closes it, shows tips, sends tilt
# notches, unplugs the receivers and plugs them back, hides the main window and wakes it with a
# second copy. The copy starts over a broken
# language file and settings values of the wrong type and size, and every tenth cycle it takes a
# storm of /run requests while its overview opens.
#
# It prints the copy's private memory, open descriptors, handles, GDI and USER objects and threads
# after a warm-up of 40 cycles (CORVAN_SOAK_WARM_UP), every 10 cycles and at the end, with the
# private memory's trend over the run, and fails when a count grows beyond its bound (or, over a
# long run, the trend does).
#
# Usage: scripts/soak.sh [cycles]   (default 50; the warm-up comes on top)
# Needs a built Windows tree (the test command builds it).
set -euo pipefail
cycles=${1:-50}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
warm_up=${CORVAN_SOAK_WARM_UP:-40}
# Bounds over the measured cycles. Under Wine the copy's anonymous resident memory moves by
# several MiB from one reading to the next whatever the program does (see measure), so only a
# growth beyond that noise fails; descriptors and threads, measured at rest, must come back to
# what they were.
private_bound=$((4 * 1024 * 1024))
# Over 50 readings (500 measured cycles) or more, the private memory's trend is held too.
trend_bound_kib=512
trend_samples=50
unix_bound=$((16 * 1024 * 1024))
handle_bound=0
thread_bound=0

# A prefix of its own: the settings and the snaps of a soak never meet the tests'.
export WINEPREFIX=$root/build/wineprefix-soak
source "$root/scripts/wine-env.sh"
work=$(mktemp -d)
wine_env_start
wine_env_window_manager

# The acceptance scripts' helpers: waits with a bound, windows on the screen, the stand-in
# receivers (family 6, the one that carries the button order) beside a copy in the work folder.
PROBE=$build/tests/win32/probe.exe
source "$root/tests/acceptance/lib.sh" "$build/CorvanAssistant.exe"
say() { printf '[soak] %s\n' "$*"; }
use_standin_receivers "$work" 6
# While this file exists the stand-in receivers are gone from the request number it holds.
plug=$work/unplugged
CORVAN_STANDIN_PLUG=$(winepath -w "$plug" 2>/dev/null)
export CORVAN_STANDIN_PLUG

# A language file that is not one.
head -c 3000 /dev/urandom >"$work/lang.ini"
printf '[TIP\r\n\0\0=\xff\xfe]]\r\n' >>"$work/lang.ini"

# Settings values of the wrong type and size.
delete_key
wine reg add "$SETTINGS_KEY" /v bt3 /t REG_SZ /d "Forward" /f >/dev/null 2>&1 </dev/null
wine reg add "$SETTINGS_KEY" /v bt4 /t REG_BINARY /d 0102030405060708 /f >/dev/null 2>&1 </dev/null
wine reg add "$SETTINGS_KEY" /v order /t REG_DWORD /d 4294967295 /f >/dev/null 2>&1 </dev/null
wine reg add "$SETTINGS_KEY" /v key /t REG_BINARY /d 07 /f >/dev/null 2>&1 </dev/null

driver_pid=""
windows_pids=()
soak_stop() {
  local status=$?
  xdotool mouseup 1 >/dev/null 2>&1 || true
  # What was on the screen when a step failed, for the one who looks into it.
  if [ "$status" -ne 0 ]; then
    import -window root "$root/build/soak-failure.png" 2>/dev/null && say "the screen is in build/soak-failure.png"
    xwininfo -root -children 2>/dev/null | grep -E 'x58\+|x88\+' | while read -r id _; do
      say "tip window $id: $(xwininfo -id "$id" 2>/dev/null | grep -E 'Map State|geometry' | tr -s ' \n' ' ')"
    done
    # The program's own view of them: a thread that does not answer leaves its tip as it was.
    timeout 20 wine "$PROBE" layered-windows 2>/dev/null </dev/null | tr -d '\r' | while read -r line; do
      say "layered window $line"
    done
  fi
  if [ -n "$driver_pid" ]; then
    # Bash forgets the pipes of a driver that has ended.
    [ -z "${DRIVER[1]:-}" ] || echo quit >&"${DRIVER[1]}" 2>/dev/null || true
    # A driver that cannot answer any more is ended after a bound.
    (sleep 10; kill "$driver_pid" 2>/dev/null) &
    local bound=$!
    wait "$driver_pid" 2>/dev/null || true
    kill "$bound" 2>/dev/null || true
  fi
  cleanup
  for pid in "${windows_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
  wine_env_stop
}
trap soak_stop EXIT

start_resident_copy
program_pid=$FIRST_PID

# The driver lists the interfaces through the system's own HID library.
coproc DRIVER { WINEDLLOVERRIDES="mscoree,mshtml=" wine "$build/tests/win32/soak_driver.exe" 2>/dev/null; }
driver_pid=$DRIVER_PID
ask() {  # command...: prints the driver's answer
  local answer
  [ -n "${DRIVER[1]:-}" ] || fail "the driver has ended"
  echo "$*" >&"${DRIVER[1]}"
  IFS= read -r -t 60 answer <&"${DRIVER[0]}" || fail "the driver did not answer \"$*\""
  printf '%s\n' "${answer%$'\r'}"
}
run_function() {
  local answer
  answer=$(ask run "$1")
  [ "$answer" = ran ] || fail "/run \"$1\" answered $answer"
}
# English names are understood whatever the language file held.
run_function "Copy"

# Three windows for the overview to lay out.
for n in 1 2 3; do
  wine notepad >/dev/null 2>&1 </dev/null &
  windows_pids+=($!)
done

desktop=$(ls -d "$WINEPREFIX"/drive_c/users/*/Desktop | grep -v /Public/ | head -n 1)
snaps="$desktop/Screen Snap"
eval "$(xdotool getdisplaygeometry --shell)"
board_on() { window_on_screen " $((WIDTH - 1))x$HEIGHT+0+0"; }
board_off() { ! board_on; }
overview_open() { xdotool search --onlyvisible --name '^qx_expwnd$' >/dev/null 2>&1; }
overview_closed() { ! overview_open; }
snap_count() { ls "$snaps" 2>/dev/null | grep -c '^screen_.*\.png$' || true; }
snaps_reach() { [ "$(snap_count)" -ge "$1" ]; }
# The soak counts what the program holds, not the snaps' geometry (the presenter board's acceptance
# test checks that): any picture on the clipboard will do.
clipboard_has_picture() { xclip -selection clipboard -t image/bmp -o 2>/dev/null | identify - >/dev/null 2>&1; }

# A press is made once the mode's tip (58 pixels high at this text size) is gone, as in the
# presenter board's acceptance test: the program reads the pointer's place when it handles it.
tips_gone() { ! window_on_screen "x58+"; }
press_at() {
  xdotool mousemove "$1" "$2"
  wait_until 15 tips_gone || fail "cycle $cycle: a tip stayed on the screen"
  xdotool mousedown 1
}
board_mode() {  # function, then the strokes (a function of its own) made while it is on
  run_function "$1"
  wait_until 10 board_on || fail "cycle $cycle: \"$1\" did not open the board"
  "$2"
  run_function "$1"
  wait_until 10 board_off || fail "cycle $cycle: \"$1\" did not close the board: $(xwininfo -root -children | grep " $((WIDTH - 1))x$HEIGHT+0+0")"
}
highlight() {
  press_at 400 300
  xdotool mousemove 450 320 mousemove 500 350 mouseup 1
  local before; before=$(snap_count)
  xdotool mousemove 800 600
  wait_until 15 tips_gone || fail "cycle $cycle: a tip stayed on the screen"
  xdotool click 3
  wait_until 10 snaps_reach $((before + 1)) || fail "cycle $cycle: no snap file"
}
snap_rectangle() {
  printf 'none' | xclip -selection clipboard
  press_at 300 200
  xdotool mousemove 360 230 mousemove 420 260 mouseup 1
  wait_until 10 clipboard_has_picture || fail "cycle $cycle: the rectangle snap copied nothing"
}
snap_free_form() {
  printf 'none' | xclip -selection clipboard
  press_at 300 200
  xdotool mousemove 420 200 mousemove 300 300 mouseup 1
  wait_until 10 clipboard_has_picture || fail "cycle $cycle: the free-form snap copied nothing"
}
spotlight() { xdotool mousemove 640 400 click --repeat 2 4 click 5; }

overview() {  # how it is closed
  xdotool mousemove 640 400
  run_function "Expose application"
  wait_until 15 overview_open || fail "cycle $cycle: the overview did not open"
  close_overview "$1"
}
# A window takes keys and clicks a moment after it is on the screen (the overview once its items
# are laid out): the closing input is repeated, a second apart, until the window is gone.
repeat_until() {  # tries, condition, input command...
  local tries=$1 condition=$2 try
  shift 2
  for try in $(seq 1 "$tries"); do
    "$@"
    wait_until 1 "$condition" && return 0
  done
  return 1
}
close_overview() {  # how: 0 Escape, 1 Enter on an item, 2 a click on empty space
  case $1 in
    0) repeat_until 30 overview_closed xdotool key Escape ;;
    1) repeat_until 30 overview_closed xdotool key Right key Return ;;
    2) repeat_until 30 overview_closed xdotool mousemove 3 3 click 1 ;;
  esac || fail "cycle $cycle: the overview did not close"
}

# The list opens at the pointer; the place is the run switch test's to check. Wine can still hold
# the pointer's last place over one of its windows when the program asks for it.
quick_launch_open() { window_on_screen " 300x152+"; }
quick_launch_closed() { ! quick_launch_open; }
quick_launch() {
  xdotool mousemove 200 150
  run_function "System"
  wait_until 10 quick_launch_open \
    || fail "cycle $cycle: no quick-launch list at the pointer: $(xwininfo -root -children | grep -F ' 300x')"
  repeat_until 20 quick_launch_closed xdotool key Escape || fail "cycle $cycle: Escape left the quick-launch list open"
}

# The system tells the copy of every arrival. A receiver that is gone when the copy opens it, or
# that goes halfway through the settings, leaves the copy as it was; one that is back is given the
# settings again (family 6 ends its sequence by asking for string 199).
plugged_in() {
  local answer
  answer=$(ask arrive)
  [[ "$answer" =~ ^arrived\ [1-9] ]] || fail "cycle $cycle: no receiver to plug in ($answer)"
}
replug() {
  local gone_from
  for gone_from in 0 2; do
    : >"$transcript"
    echo "$gone_from" >"$plug"
    plugged_in
    wait_until 10 grep -q "unplugged" "$transcript" \
      || fail "cycle $cycle: the receiver gone from request $gone_from was not tried: $(tr '\n' ';' <"$transcript")"
  done
  rm -f "$plug"
  : >"$transcript"
  plugged_in
  wait_until 10 grep -q "get-string 199 " "$transcript" \
    || fail "cycle $cycle: the receiver plugged back was not given its settings: $(tr '\n' ';' <"$transcript")"
}

storm() {
  xdotool mousemove 640 400
  local answer
  answer=$(ask storm 200 "Expose application")
  [[ "$answer" =~ ^ran=([0-9]+)\ busy=([0-9]+)\ other=0$ ]] || fail "cycle $cycle: the storm got $answer"
  wait_until 15 overview_open || fail "cycle $cycle: no overview after the storm"
  close_overview 0
  for pid in "${windows_pids[@]}"; do kill -0 "$pid" 2>/dev/null || fail "cycle $cycle: a window was lost in the storm"; done
}

one_cycle() {
  # First, so that the overview's last thread has long ended when the cycle is measured.
  [ $((cycle % 10)) -ne 0 ] || storm
  overview $((cycle % 3))
  board_mode "Highlighter" highlight
  board_mode "Screen snap #1" snap_rectangle
  board_mode "Screen snap #2" snap_free_form
  board_mode "Spotlight" spotlight
  rm -f "$snaps"/screen_*.png

  # Before the tilt notches: a wheel turned outside an open quick-launch list closes it.
  quick_launch
  run_function "Copy"
  xdotool click 6 click 7
  replug

  hide_window || true
  wait_until 10 window_hidden || fail "cycle $cycle: the window did not hide"
  run_program || fail "cycle $cycle: the second copy failed"
  wait_until 10 window_visible || fail "cycle $cycle: the second copy did not wake the first"
  alive "$program_pid" || fail "cycle $cycle: the program ended"
}

# Wine answers 0 for another process's memory, handle and GUI object counts; they are printed as
# the driver reads them (on Windows they would be the real counts) and must not grow either. The
# rest comes from the copy's Linux process: its open descriptors (files, sections and sockets
# behind its handles) and its anonymous resident memory, in two parts. "private" is the Windows
# side (heaps, stacks, bitmaps: what Windows would count as private bytes), everything mapped below
# where Linux puts its own mappings. "unix" is Wine's Unix side (the X client library and the C
# library's per-thread arenas), where freed screen-sized images stay resident or not depending
# on the arenas' layout: it moves by several MiB whatever the program does.
unix_side=7f0000000000
measure() {
  local windows_side memory fds
  # Measured at rest: a tip on the screen has a thread of its own.
  wait_until 15 tips_gone || fail "a tip stayed on the screen"
  windows_side=$(ask measure)
  [[ "$windows_side" == private=* ]] || fail "the driver could not measure: $windows_side"
  # Addresses are hexadecimal, at least 8 digits: Linux's own have 12.
  memory=$(awk -v limit="$unix_side" '
    /^[0-9a-f]+-[0-9a-f]+ / {split($1, range, "-"); unix = length(range[1]) == 12 && range[1] >= limit}
    /^Anonymous:/ {if (unix) u += $2; else w += $2}
    END {printf "private=%d unix=%d", w * 1024, u * 1024}' "/proc/$program_pid/smaps")
  fds=$(ls "/proc/$program_pid/fd" | wc -l)
  printf '%s descriptors=%s %s\n' "$memory" "$fds" "${windows_side#private=* }"
}

figure() { sed -E "s/.*$2=([0-9]+).*/\1/" <<<"$1"; }  # reading, name

# Every tenth measured cycle's private memory, for the trend: a leak moves the fitted line, noise
# moves single readings.
samples=$work/samples
started=$(date +%s)
for cycle in $(seq 1 "$warm_up"); do one_cycle; done
before=$(measure)
say "after the warm-up of $warm_up cycles: $before"
echo "$warm_up $(figure "$before" private)" >>"$samples"
for cycle in $(seq $((warm_up + 1)) $((warm_up + cycles))); do
  one_cycle
  [ $((cycle % 10)) -eq 0 ] || continue
  now=$(measure)
  echo "$cycle $(figure "$now" private)" >>"$samples"
  say "cycle $cycle: $now"
done
after=$(measure)
say "after $cycles more cycles: $after ($(( $(date +%s) - started )) s)"
# Least squares over the samples, in KiB per 1000 cycles.
trend=$(awk '{n++; sx+=$1; sy+=$2; sxx+=$1*$1; sxy+=$1*$2}
  END {d = n*sxx - sx*sx; if (n >= 3 && d != 0) printf "%.0f %d\n", (n*sxy - sx*sy) / d * 1000 / 1024, n}' "$samples")
read -r trend_kib trend_n <<< "$trend"
if [ -z "$trend" ]; then
  say "private memory trend: too few samples"
else
  say "private memory trend: $(printf '%+d' "$trend_kib") KiB per 1000 cycles over $trend_n samples"
fi

status=0
# A long run's line is steady enough to hold to a growth per cycle; a short run's readings are
# still dominated by Wine's heap settling.
if [ -n "$trend" ] && [ "$trend_n" -ge "$trend_samples" ] && [ "$trend_kib" -gt "$trend_bound_kib" ]; then
  say "private memory grows by more than $trend_bound_kib KiB per 1000 cycles"
  status=1
fi
check() {  # name, bound
  local grew=$(( $(figure "$after" "$1") - $(figure "$before" "$1") ))
  if [ "$grew" -gt "$2" ]; then say "$1 grew by $grew (bound $2)"; status=1; else say "$1: $grew (bound $2)"; fi
}
check private "$private_bound"
check unix "$unix_bound"
check descriptors "$handle_bound"
check handles "$handle_bound"
check gdi "$handle_bound"
check user "$handle_bound"
check threads "$thread_bound"
exit $status
