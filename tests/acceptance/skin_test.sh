#!/usr/bin/env bash
# The main window is the product picture: 665 x 490, centred on the work area, showing the
# picture's own pixels.
source "$(dirname "$0")/lib.sh"
picture=$(cd "$(dirname "$0")/../.." && pwd)/resources/images/product_picture.png
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"; cleanup' EXIT

start_resident_copy
wait_until 10 window_visible || fail "the window is not shown"
id=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n 1)
read -r X Y WIDTH HEIGHT < <(xwininfo -id "$id" |
  awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
[ "$WIDTH" = 665 ] && [ "$HEIGHT" = 490 ] || fail "the window is ${WIDTH}x${HEIGHT}"
read -r left top right bottom < <(wine "$PROBE" work-area 2>/dev/null </dev/null | tr -d '\r')
centre_x=$((left + (right - left - WIDTH) / 2))
centre_y=$((top + (bottom - top - HEIGHT) / 2))
[ $((X - centre_x)) -ge -1 ] && [ $((X - centre_x)) -le 1 ] && [ $((Y - centre_y)) -ge -1 ] && [ $((Y - centre_y)) -le 1 ] ||
  fail "the window is at $X,$Y, not centred on the work area $left,$top-$right,$bottom"

pixel() { convert "$1" -format "%[fx:int(255*u.r)] %[fx:int(255*u.g)] %[fx:int(255*u.b)]" -crop "1x1+$2+$3" +repage info:; }
close_enough() {  # two "r g b" triples within 6 per channel
  local a=($1) b=($2) i
  for i in 0 1 2; do [ $(( ${a[i]} - ${b[i]} )) -le 6 ] && [ $(( ${b[i]} - ${a[i]} )) -le 6 ] || return 1; done
}
sampled() {
  import -window root "$shot" 2>/dev/null || return 1
  local spot
  for spot in "10 10" "332 245" "520 400" "100 450" "600 40"; do
    read -r px py <<<"$spot"
    close_enough "$(pixel "$shot" $((X + px)) $((Y + py)))" "$(pixel "$picture" "$px" "$py")" || return 1
  done
}
wait_until 10 sampled || fail "the screen does not show the product picture"
echo PASS
