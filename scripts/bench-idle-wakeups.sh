#!/usr/bin/env bash
# Counts how often the running program's threads wake up while it sits idle in the tray with its
# window hidden. Each Windows thread under Wine is a Linux thread of the program's process, so the
# sum of their voluntary context switches over a fixed period is the figure.
# With "picker", a quick-launch list stays open at rest while counting; with "overview", the window
# overview does; with "typing", the program is hidden while keys are typed into a window of
# another program (after the overview was opened and closed once).
# Usage: scripts/bench-idle-wakeups.sh [seconds] [picker|overview|typing]   (default 10; needs a built windows preset)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-10}
open_at_rest=${2:-}

source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start

wine build/windows/CorvanAssistant.exe /hide >/dev/null 2>&1 </dev/null &
program=$!
for _ in $(seq 1 200); do
  xdotool search --name "Telvo Mirkat Rev1.0" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 3  # let start-up settle: the window hides, the first save and push end
open_overview() {
  xdotool mousemove 200 200
  wine build/windows/CorvanAssistant.exe /run "Expose application" >/dev/null 2>&1 </dev/null
  for _ in $(seq 1 100); do
    xdotool search --onlyvisible --name '^qx_expwnd$' >/dev/null 2>&1 && break
    sleep 0.1
  done
}

if [ "$open_at_rest" = picker ]; then
  xdotool mousemove 200 200
  wine build/windows/CorvanAssistant.exe /run "Function key" >/dev/null 2>&1 </dev/null
  sleep 1
elif [ "$open_at_rest" = overview ]; then
  open_overview
  sleep 2  # the pre-selected item grows to its size and stops
elif [ "$open_at_rest" = typing ]; then
  open_overview
  sleep 1
  xdotool key Escape
  sleep 3
  typed=$(mktemp)
  wine build/windows/tests/win32/key_target.exe 100000 >"$typed" 2>/dev/null </dev/null &
  typist=$!
  for _ in $(seq 1 100); do grep -q ready "$typed" && break; sleep 0.1; done
  # Without a window manager the keys go where X has its focus: on the other program's window.
  xdotool search --name '^key target$' windowfocus --sync >/dev/null 2>&1
  sleep 1
fi

switches() {
  local total=0 file
  for file in /proc/"$program"/task/*/status; do
    total=$((total + $(awk '/^voluntary_ctxt_switches/ {print $2}' "$file" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
threads=$(ls /proc/"$program"/task | wc -l)
before=$(switches)
if [ "$open_at_rest" = typing ]; then
  end=$(( $(date +%s) + seconds ))
  while [ "$(date +%s)" -lt "$end" ]; do xdotool type --delay 50 "the quick brown fox "; done
else
  sleep "$seconds"
fi
after=$(switches)
if [ "$open_at_rest" = typing ]; then
  kill "$typist" 2>/dev/null
  keys=$(grep -c '^key' "$typed" || true)
  rm -f "$typed"
fi

[ "$open_at_rest" = overview ] && xdotool key Escape
wine build/windows/CorvanAssistant.exe /close >/dev/null 2>&1 </dev/null || true
for _ in $(seq 1 200); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done

echo "threads: $threads"
# A figure taken while no key reached the other program says nothing about typing.
[ "$open_at_rest" = typing ] && echo "keys the other program received: $keys"
echo "voluntary context switches in ${seconds} s: $((after - before)) ($(awk "BEGIN {printf \"%.1f\", ($after - $before) / $seconds}") per second)"
