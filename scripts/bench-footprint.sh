#!/usr/bin/env bash
# Measures what the resident program costs beside two reference programs started under the same
# wineserver in the same run: a minimal window with a message loop, and one that also starts GDI+
# and shows one PNG resource. For each it prints private memory (Private_Clean + Private_Dirty of
# smaps_rollup) and resident memory some seconds after start, and the time from start to the
# X map event of its window (median of the runs), then the product's ratios and deltas.
# The product is measured twice: hidden after start, and hidden again after the editor, a
# quick-launch list, the overview and the board have each been opened and closed once.
# With "breakdown", it also prints where the product's private memory lies, by mapping.
#
# Usage: scripts/bench-footprint.sh [runs] [settle seconds] [breakdown]   (default 3 runs, 10 s)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-3}
settle=${2:-10}
want_breakdown=${3:-}

cmake --preset windows >/dev/null
cmake --build --preset windows --target CorvanAssistant footprint_minimal footprint_gdiplus >/dev/null
product=build/windows/CorvanAssistant.exe
minimal=build/windows/bench/footprint/footprint_minimal.exe
gdiplus=build/windows/bench/footprint/footprint_gdiplus.exe
title_product="Telvo Mirkat Rev1.0"

source scripts/wine-env.sh
work=$(mktemp -d)
xev_pid=""
stop_all() {
  [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null
  wine_env_stop
  rm -rf "$work"
}
trap stop_all EXIT
wine_env_start
# A copy left running in the prefix would take every start of the product for a wake-up.
wine "$product" /close >/dev/null 2>&1 </dev/null || true
wine reg delete 'HKCU\SOFTWARE\QX A Mouse' /f >/dev/null 2>&1 </dev/null || true

# Every top-level map on the display, stamped as it arrives: the start-up time is read from the
# event, whichever moment the script notices it.
events=$work/maps
: >"$events"
stdbuf -oL xev -root -event substructure 2>/dev/null | while IFS= read -r line; do
  case $line in *"window 0x"*", override"*) printf '%s %s\n' "$EPOCHREALTIME" "$line" ;; esac
done >>"$events" &
xev_pid=$!
sleep 0.5

window_named() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1; }
window_visible() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_gone_from_screen() { ! window_visible "$1"; }
wait_for() {  # seconds command...
  local bound=$1; shift
  local deadline=$(( $(date +%s) + bound ))
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Seconds from $2 (an EPOCHREALTIME) to the first map of the window titled $1 after it.
map_delay() {
  local id; id=$(window_named "$1")
  [ -n "$id" ] || { echo nan; return; }
  local hex; hex=$(printf '0x%x' "$id")
  awk -v since="$2" -v win="$hex" '$1 >= since && index($0, "window " win ",") {printf "%.3f\n", $1 - since; exit}' "$events"
}

private_kib() { awk '/^Private_(Clean|Dirty):/ {sum += $2} END {print sum}' "/proc/$1/smaps_rollup"; }
resident_kib() { awk '/^Rss:/ {print $2}' "/proc/$1/smaps_rollup"; }

median() { sort -n | awk '{v[NR] = $1} END {if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

end_program() {  # pid
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# Opens and closes what the product shows on demand, then hides its window again.
exercise_product() {
  wine "$product" >/dev/null 2>&1 </dev/null  # a later copy wakes the running one: the editor shows
  wait_for 10 window_visible "$title_product"
  sleep 1
  xdotool mousemove 100 100
  wine "$product" /run "Function key" >/dev/null 2>&1 </dev/null || true
  sleep 1
  # A click elsewhere closes the quick-launch list: on the main window's empty lower-left corner,
  # since Wine sees no click on the bare screen.
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --name "^$title_product\$" | head -n 1)")"
  xdotool mousemove --sync $((X + 30)) $((Y + HEIGHT - 30)) click 1
  sleep 1
  wine "$product" /run "Expose application" >/dev/null 2>&1 </dev/null || true
  sleep 2
  xdotool key Escape
  sleep 1
  wine "$product" /run "Highlighter" >/dev/null 2>&1 </dev/null || true
  sleep 1
  wine "$product" /run "Highlighter" >/dev/null 2>&1 </dev/null || true
  sleep 1
  wine build/windows/tests/win32/probe.exe hide-window "$title_product" >/dev/null 2>&1 </dev/null || true
  wait_for 10 window_gone_from_screen "$title_product"
}

# measure NAME EXE TITLE [hidden|used]: one run; appends "ms private resident" to $work/NAME.
measure() {
  local name=$1 exe=$2 title=$3 how=${4:-}
  local args=()
  [ -n "$how" ] && args=(/hide)
  local started=$EPOCHREALTIME
  wine "$exe" "${args[@]}" >/dev/null 2>&1 </dev/null &
  local pid=$!
  wait_for 30 window_named "$title" >/dev/null || { echo "$name: no window" >&2; end_program "$pid"; return 1; }
  local delay=""
  wait_for 5 eval '[ -n "$(map_delay "$title" "$started")" ]' || true
  delay=$(map_delay "$title" "$started")
  if [ -n "$how" ]; then wait_for 10 window_gone_from_screen "$title"; fi
  [ "$how" = used ] && exercise_product
  sleep "$settle"
  echo "$delay $(private_kib "$pid") $(resident_kib "$pid")" >>"$work/$name"
  if [ -n "$want_breakdown" ] && [ "$how" = "${BREAKDOWN_OF:-used}" ] && [ ! -f "$work/breakdown" ]; then
    breakdown "$pid" >"$work/breakdown"
  fi
  if [ "$exe" = "$product" ]; then
    wine "$product" /close >/dev/null 2>&1 </dev/null || true
    wait "$pid" 2>/dev/null || true
  else
    end_program "$pid"
  fi
}

# Private memory by mapping: each DLL and executable, Wine's own libraries, and anonymous memory.
breakdown() {
  awk '
    /^[0-9a-f]+-[0-9a-f]+ / { name = (NF >= 6) ? $6 : "[anonymous]"; sub(/.*\//, "", name); next }
    /^Private_(Clean|Dirty):/ { kib[name] += $2 }
    END { for (n in kib) if (kib[n] >= 64) printf "%8.2f MiB  %s\n", kib[n] / 1024, n }
  ' "/proc/$1/smaps" | sort -rn
}

# One start of each first, not counted: the first start after the server loads what later
# starts find in the page cache.
settle_counted=$settle
settle=0
measure warmup "$minimal" "Footprint minimal"
measure warmup "$gdiplus" "Footprint GDIplus"
measure warmup "$product" "$title_product" hidden
settle=$settle_counted
for _ in $(seq 1 "$runs"); do
  measure minimal "$minimal" "Footprint minimal"
  measure gdiplus "$gdiplus" "Footprint GDIplus"
  measure hidden "$product" "$title_product" hidden
  measure used "$product" "$title_product" used
done

column() { awk -v c="$1" '{print $c}' "$work/$2" | median; }
printf '\n%-34s %12s %12s %12s\n' "program (median of $runs)" "private MiB" "resident MiB" "start-map s"
for name in minimal gdiplus hidden used; do
  case $name in
    minimal) label="minimal window" ;;
    gdiplus) label="GDI+ window with one PNG" ;;
    hidden) label="product, hidden after start" ;;
    used) label="product, hidden after use" ;;
  esac
  printf '%-34s %12.2f %12.2f %12s\n' "$label" "$(echo "$(column 2 $name) / 1024" | bc -l)" \
    "$(echo "$(column 3 $name) / 1024" | bc -l)" "$(column 1 $name)"
done

ratio() { echo "scale=2; $1 / $2" | bc -l; }
delta() { echo "scale=2; ($1 - $2) / 1024" | bc -l; }
gp=$(column 2 gdiplus) mp=$(column 2 minimal)
printf '\nproduct against the GDI+ reference: private +%s MiB hidden, +%s MiB after use (goal: at most +3)\n' \
  "$(delta "$(column 2 hidden)" "$gp")" "$(delta "$(column 2 used)" "$gp")"
printf 'product against the minimal window: private +%s MiB hidden, +%s MiB after use\n' \
  "$(delta "$(column 2 hidden)" "$mp")" "$(delta "$(column 2 used)" "$mp")"
printf 'start to map: %sx the GDI+ reference (goal: at most 1.3x), %sx the minimal window\n' \
  "$(ratio "$(column 1 hidden)" "$(column 1 gdiplus)")" "$(ratio "$(column 1 hidden)" "$(column 1 minimal)")"
if [ -f "$work/breakdown" ]; then
  printf '\nproduct after use, private memory by mapping (64 KiB and more):\n'
  cat "$work/breakdown"
fi
