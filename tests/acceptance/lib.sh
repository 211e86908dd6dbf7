# Helpers for driving the real program from outside. Sourced by each acceptance script, which
# gets the program's path as $1. The environment (DISPLAY, WINEPREFIX, a running wineserver)
# comes from the test command.
set -u
PROGRAM=${1:?path of CorvanAssistant.exe}
WINDOW_TITLE="Telvo Mirkat Rev1.0"
SETTINGS_KEY='HKCU\SOFTWARE\QX A Mouse'
PROBE=${PROBE:-$(dirname "$PROGRAM")/tests/win32/probe.exe}
_started_pids=()

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls a command until it succeeds or the bound (seconds) runs out.
wait_until() {
  local bound=$1; shift
  local deadline=$(( $(date +%s%N) + bound * 1000000000 ))
  while [ "$(date +%s%N)" -lt "$deadline" ]; do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  "$@" >/dev/null 2>&1
}

start_program() {
  wine "$PROGRAM" "$@" >/dev/null 2>&1 </dev/null &
  LAST_PID=$!
  _started_pids+=("$LAST_PID")
}

run_program() { timeout 20 wine "$PROGRAM" "$@" >/dev/null 2>&1 </dev/null; }

alive() { kill -0 "$1" 2>/dev/null; }
ended() { ! kill -0 "$1" 2>/dev/null; }
window_exists() { xdotool search --name "$WINDOW_TITLE" >/dev/null 2>&1; }
window_visible() { xdotool search --onlyvisible --name "$WINDOW_TITLE" >/dev/null 2>&1; }
window_hidden() { window_exists && ! window_visible; }

# Bounded: a Wine process start was seen to hang, rarely.
probe() { timeout 20 wine "$PROBE" "$@" >/dev/null 2>&1 </dev/null; }
hide_window() { probe hide-window "$WINDOW_TITLE"; }
# Hides the window and checks it stays hidden: a wake-up's show sequence may still be raising it.
hide_and_stay_hidden() { hide_window; sleep 0.3; window_hidden; }

reg_value() {  # prints the value's data, fails when the key or value is missing
  wine reg query "$SETTINGS_KEY" /v "$1" 2>/dev/null </dev/null | tr -d '\r' | awk -v n="$1" 'index($0, "    " n "    ") == 1 {print $NF}' | grep .
}
key_exists() { wine reg query "$SETTINGS_KEY" >/dev/null 2>&1 </dev/null; }
delete_key() { wine reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 </dev/null || true; }
set_value() { wine reg add "$SETTINGS_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1 </dev/null; }

# Ends every copy this script started: first politely, then by pid.
# The test command runs most tests under openbox already; a test that needs a window manager and
# runs alone starts its own, which stop_window_manager ends.
_started_wm=""
has_window_manager() { "$(dirname "${BASH_SOURCE[0]}")/../../scripts/has-window-manager.sh"; }
ensure_window_manager() {
  has_window_manager && return 0
  command -v openbox >/dev/null || fail "openbox is missing (scripts/install-deps.sh installs it)"
  openbox >/dev/null 2>&1 </dev/null &
  _started_wm=$!
  wait_until 10 has_window_manager || fail "openbox did not start"
}
stop_window_manager() {
  [ -n "$_started_wm" ] || return 0
  kill "$_started_wm" 2>/dev/null
  wait "$_started_wm" 2>/dev/null
  _started_wm=""
}

cleanup() {
  local pid
  for pid in "${_started_pids[@]}"; do
    if alive "$pid"; then
      run_program /close
      wait_until 5 ended "$pid" || kill "$pid" 2>/dev/null
    fi
  done
}
trap cleanup EXIT

# Started with /hide, the window shows briefly and then hides; waiting for both steps keeps a
# later check from mistaking the moment before the first show for the hidden state.
start_hidden_copy() {
  start_resident_copy /hide "$@"
  wait_until 10 window_hidden || fail "/hide did not hide the window"
}

# The window is shown only once initialisation is over, when the program's listeners wait for
# their events; a pulse before that would be lost. A /hide start waits for the show and the hide.
start_resident_copy() {
  start_program "$@"
  FIRST_PID=$LAST_PID
  wait_until 15 window_visible || fail "the main window never appeared"
}

# From here on the program runs from a copy in the folder, beside the stand-in hid.dll: every HID
# interface plays a receiver of the family, and each request it hears lands in $transcript.
use_standin_receivers() {  # folder family
  cp "$PROGRAM" "$1/"
  cp "$(dirname "$PROGRAM")/tests/win32/standin/hid.dll" "$1/"
  PROGRAM="$1/$(basename "$PROGRAM")"
  transcript="$1/transcript.txt"
  export WINEDLLOVERRIDES="mscoree,mshtml=;hid=n" CORVAN_STANDIN_FAMILY=$2
  CORVAN_STANDIN_TRANSCRIPT=$(winepath -w "$transcript" 2>/dev/null)
  export CORVAN_STANDIN_TRANSCRIPT
}

# Succeeds while a window whose line in `xwininfo -root -children` holds the text (a size and
# place such as " 300x224+802+") is on the screen.
window_on_screen() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | grep -F -- "$1" | awk '$1 ~ /^0x/ {print $1}'); do
    xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && return 0
  done
  return 1
}

menu_visible() { probe menu-visible; }
menu_hidden() { ! probe menu-visible; }

# Without a window manager Wine keeps tray icons in a small window of its own; the first icon
# sits at its left end.
tray_window() { xdotool search --onlyvisible --name "Wine System Tray" 2>/dev/null | head -n 1; }
tray_icon_point() {
  local id; id=$(tray_window) || return 1
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$((X + 10)) $((Y + 10))"
}
move_to_tray_icon() {
  local point; point=$(tray_icon_point) || return 1
  # A synchronous move to where the pointer already is would wait for a motion that never comes.
  xdotool mousemove 640 400
  # shellcheck disable=SC2086
  xdotool mousemove --sync $point
}
click_tray_icon() {  # button [repeat]
  move_to_tray_icon || return 1
  xdotool click --repeat "${2:-1}" --delay 80 "$1"
}
# Esc, or a click on the empty desktop when the menu did not get the keyboard.
close_menu() {
  xdotool key Escape
  wait_until 1 menu_hidden && return 0
  xdotool mousemove 1200 760 click 1
  wait_until 3 menu_hidden
}
no_tray_icon() { [ -z "$(tray_window)" ]; }
