#!/usr/bin/env bash
# How long the main window's thread is kept from answering by what the program does on it: the
# longest wait for an answer to an empty message while the program is idle, shows and hides its
# window, runs a function with its tip, opens and closes the overview and turns each board mode
# on and off. A low-level mouse hook on that thread would miss every event of such a hold; the
# program keeps its hook on a thread that does nothing else.
# Usage: scripts/bench-main-thread-holds.sh   (builds nothing: run after a windows build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
program=build/windows/CorvanAssistant.exe
probe=build/windows/tests/win32/probe.exe
title="Telvo Mirkat Rev1.0"
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start
command -v openbox >/dev/null && { openbox >/dev/null 2>&1 & wm=$!; trap 'kill $wm 2>/dev/null; wine_env_stop' EXIT; }

wine "$program" /hide >/dev/null 2>&1 </dev/null &
for _ in $(seq 1 200); do
  xdotool search --name "$title" >/dev/null 2>&1 && ! xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
  sleep 0.05
done
sleep 1

# Prints the longest hold of the main thread while the given command runs (plus a second).
measure() {  # label command...
  local label=$1; shift
  local out; out=$(mktemp)
  wine "$probe" longest-answer "$title" 4 >"$out" 2>/dev/null </dev/null &
  local pid=$!
  for _ in $(seq 1 100); do grep -q ready "$out" && break; sleep 0.05; done
  "$@" >/dev/null 2>&1 || true
  wait "$pid" || true
  printf '%-40s %s ms\n' "$label" "$(tr -d '\r' <"$out" | tail -n 1)"
  rm -f "$out"
}
run() { timeout 20 wine "$program" /run "$1" </dev/null; sleep 1.5; }
twice() { run "$1"; run "$1"; }

measure "idle" true
measure "window shown by a later copy" timeout 20 wine "$program" </dev/null
measure "window hidden" wine "$probe" hide-window "$title"
measure "a function with its tip (Copy)" run Copy
measure "overview opened" run "Expose application"
measure "overview closed (Esc)" xdotool key Escape
for mode in Highlighter "Screen snap #1" "Screen snap #2" Spotlight; do
  measure "$mode on and off" twice "$mode"
done
timeout 20 wine "$program" /close </dev/null >/dev/null 2>&1 || true
