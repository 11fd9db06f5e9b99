#!/usr/bin/env bash
# Makes the README's screenshots from the real program: docs/clock.png (the
# clock as it starts), docs/wheel.png (after "开心转盘" in the pop-up menu)
# and docs/result.png (a spin's result on show), each cropped to the
# window, with what lies outside the window's outline made transparent
# (under the private X server that is the black root window, filled from
# the corners).
#
# The program runs from a fresh copy of its program folder under Xvfb,
# driven as the end-to-end tests drive it (tests/e2e/lib.sh). Its time zone
# is set so that the clock reads 10:10 and some seconds, the hands' usual
# pose in pictures of a clock.
#
#   tools/screenshots/make_screenshots.sh [HORAVIA]
#
# Without HORAVIA it builds the program in build/ first, as dev/run does.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/tests/e2e/lib.sh"

program="${1:-}"
if [ -z "$program" ]; then
  cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null &&
    cmake --build "$top/build" --target horavia >/dev/null || fail "cannot build the program"
  program="$top/build/program/horavia"
fi
mkdir -p "$top/docs"

e2e_begin
start_x
copy_program "$program"

# A fixed-offset zone ("<+hhmmss>-hh:mm:ss" reads UTC plus that offset) that
# makes the local time 10:10:25 now, so about 10:10:30 when the shot is
# taken.
utc=$(date -u +%s)
offset=$(((10 * 3600 + 10 * 60 + 25 - utc % 86400 + 86400) % 86400))
export TZ=$(printf '<+%02d%02d%02d>-%02d:%02d:%02d' $((offset / 3600)) $((offset / 60 % 60)) $((offset % 60)) \
  $((offset / 3600)) $((offset / 60 % 60)) $((offset % 60)))

start_program
find_main_window
read -r wx wy ww wh < <(geometry "$main_window")

# Painted once two screenshots in a row show the same number of pixels that
# are not the root's black (the hands move only once a second).
painted() {
  local count
  count=$(shot "$work/probe.png" "${ww}x${wh}+${wx}+${wy}" &&
    convert "$work/probe.png" -depth 8 txt:- | awk 'NR > 1 && $3 != "#000000" {n++} END {print n + 0}')
  [ "$count" -gt 1000 ] && [ "$count" = "${last_count:-}" ] && return 0
  last_count=$count
  return 1
}

# Crops the window and clears the root's black from the corners inwards.
# Usage: save NAME
save() {
  shot "$work/$1.png" "${ww}x${wh}+${wx}+${wy}"
  local right=$((ww - 1)) bottom=$((wh - 1))
  convert "$work/$1.png" -alpha set -fuzz 0 -fill none \
    -draw "color 0,0 floodfill" -draw "color $right,0 floodfill" \
    -draw "color 0,$bottom floodfill" -draw "color $right,$bottom floodfill" \
    -strip "$top/docs/$1.png" || fail "cannot write docs/$1.png"
  echo "docs/$1.png"
}

last_count=""
wait_for painted || fail "the clock was not painted"
save clock

# The wheel is shown once its rim (outside the labels the program writes on
# it) is the skin's wheel.
convert "$program_dir/skins/蓝色/转盘.gif[0]" "$work/wheel-picture.png"
pixels "$work/wheel-picture.png" >"$work/wheel.txt"
wheel_shown() {
  shot "$work/probe.png" "${ww}x${wh}+${wx}+${wy}"
  pixels "$work/probe.png" | awk '
    NR == FNR { ref[$1 " " $2] = $3 " " $4 " " $5; next }
    { dx = $1 + 0.5 - 150; dy = $2 + 0.5 - 150; r = sqrt(dx * dx + dy * dy) }
    r >= 132 && r <= 146 { n++; if (ref[$1 " " $2] == $3 " " $4 " " $5) same++ }
    END { exit !(n > 0 && same >= 0.97 * n) }' "$work/wheel.txt" -
}
open_menu $((wx + 150)) $((wy + 230))
choose_menu_item $MENU_WHEEL
wait_for wheel_shown || fail "the wheel was not shown"
save wheel

# A spin: the result is on show once the record of spins has its line (the
# banner comes with it); the confetti's first frames are past a second on.
xdotool mousemove $((wx + 150)) $((wy + 230)) click --repeat 2 --delay 80 1
spun() { [ "$(wc -l <"$program_dir/转盘记录.csv" 2>/dev/null || echo 0)" -ge 2 ]; }
wait_for -t 30 spun || fail "the spin was not recorded"
sleep 1.2
save result

quit_with_escape
