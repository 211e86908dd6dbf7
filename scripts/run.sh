#!/usr/bin/env bash
# Builds the Windows product and runs it under Wine: on $DISPLAY when there is one, otherwise on
# a virtual display started here, in a Wine desktop with a taskbar (a prefix of its own,
# build/wineprefix-run, where every program runs in that desktop). Saves a screenshot to
# build/screenshot.png. Run again while the program runs, it passes its switches to that copy as a
# second copy on Windows would (scripts/run.sh /run Spotlight, scripts/run.sh /close) and exits
# with that copy's exit code; with none, it reports the copy.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

export WINEPREFIX=${CORVAN_RUN_PREFIX:-$root/build/wineprefix-run}
source scripts/wine-env.sh
state=build/run.state  # the copy this script started: display, Wine pid, virtual display pid

stop_hint() {  # display, virtual display pid
  echo "Stop it with:  DISPLAY=$1 WINEPREFIX=$WINEPREFIX wine build/windows/CorvanAssistant.exe /close"
  if [ -n "$2" ]; then echo "and then end the virtual display with:  kill $2"; fi
}

if [ -f "$state" ]; then
  run_display="" run_pid="" run_xvfb=""
  source "$state"
  if [ -n "$run_pid" ] && kill -0 "$run_pid" 2>/dev/null; then
    if [ $# -gt 0 ]; then
      status=0
      DISPLAY=$run_display wine build/windows/CorvanAssistant.exe "$@" </dev/null || status=$?
      exit "$status"
    fi
    DISPLAY=$run_display import -window root build/screenshot.png 2>/dev/null && echo "Screenshot: build/screenshot.png"
    echo "CorvanAssistant already runs on DISPLAY=$run_display (Wine pid $run_pid)."
    stop_hint "$run_display" "$run_xvfb"
    exit 0
  fi
  rm -f "$state"
fi

wine_env_start

# A Wine desktop with a taskbar, so the tray icon has a home; set for the whole prefix, so that a
# later copy started with switches runs in it too and finds the running one.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x800 /f >/dev/null 2>&1 </dev/null
wine build/windows/CorvanAssistant.exe "$@" >/dev/null 2>&1 </dev/null &
program=$!
shown=""
for _ in $(seq 1 200); do
  xdotool search --name "Telvo Mirkat Rev1.0" >/dev/null 2>&1 && { shown=1; break; }
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$shown" ] || ! kill -0 "$program" 2>/dev/null; then
  echo "CorvanAssistant did not come up on DISPLAY=$DISPLAY (another copy may run on another display)." >&2
  wine_env_stop
  exit 1
fi
printf 'run_display=%q\nrun_pid=%q\nrun_xvfb=%q\n' "$DISPLAY" "$program" "$_corvan_started_xvfb" >"$state"
sleep 1
import -window root build/screenshot.png 2>/dev/null && echo "Screenshot: build/screenshot.png"

echo "CorvanAssistant runs on DISPLAY=$DISPLAY (Wine pid $program)."
stop_hint "$DISPLAY" "$_corvan_started_xvfb"
