#!/usr/bin/env bash
# Instructions per event of the low-level mouse hook's decision path, counted by callgrind:
# a driver runs N and 2N events of a day's mix (mostly moves) and the difference is divided by N,
# so start-up cancels out; a second count takes only what runs inside ApplyMouseHook. Both with
# the presenter board hidden and shown. The Win32 callback around it adds a null check, one
# field read and the call on to the next hook.
# Usage: scripts/bench-mouse-hook-callgrind.sh [N]   (default 160000)
set -euo pipefail

n="${1:-160000}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${root}/build/callgrind"
mkdir -p "${out}"
driver="${out}/mouse_hook_callgrind_driver"

g++ -std=c++20 -O2 -DNDEBUG -Wall -Wextra -I"${root}/src" \
  "${root}/bench/mouse_hook_callgrind_driver.cpp" "${root}/src/mainwindow/mouse_hook_rules.cpp" \
  -o "${driver}"

instructions() {  # count, board, extra valgrind options
  local file="${out}/callgrind.hook.$1.$2.out"
  valgrind --tool=callgrind --callgrind-out-file="${file}" "${@:3}" "${driver}" "$1" "$2" >/dev/null 2>&1
  grep -E '^(summary|totals):' "${file}" | head -1 | awk '{print $2}'
}

for board in hidden board; do
  one=$(instructions "${n}" "${board}")
  two=$(instructions $((2 * n)) "${board}")
  inside=$(instructions "${n}" "${board}" --collect-atstart=no --toggle-collect='corvan::ApplyMouseHook*')
  echo "board ${board}: instructions per event $(echo "scale=2; (${two} - ${one}) / ${n}" | bc) (driver loop included)," \
    "inside the hook's decision $(echo "scale=2; ${inside} / ${n}" | bc)"
done
