#!/usr/bin/env bash
# Builds the Windows product and runs it under Wine: on $DISPLAY when there is one, otherwise on
# a virtual display started here. Saves a screenshot to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows

source scripts/wine-env.sh
wine_env_start

# A Wine desktop with a taskbar, so the tray icon has a home.
wine explorer /desktop=shell,1280x800 build/windows/CorvanAssistant.exe "$@" >/dev/null 2>&1 </dev/null &
program=$!
for _ in $(seq 1 200); do
  xdotool search --name "Telvo Mirkat Rev1.0" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
import -window root build/screenshot.png 2>/dev/null && echo "Screenshot: build/screenshot.png"

echo "CorvanAssistant runs on DISPLAY=$DISPLAY (Wine pid $program)."
echo "Stop it with:  WINEPREFIX=$WINEPREFIX wine build/windows/CorvanAssistant.exe /close"
if [ -n "$_corvan_started_xvfb" ]; then
  echo "and then end the virtual display with:  kill $_corvan_started_xvfb"
fi
