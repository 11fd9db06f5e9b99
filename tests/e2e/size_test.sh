#!/usr/bin/env bash
# The clock at another size ("大小"), under a private X server without a
# window manager, at the same clock time (faketime, second hand hidden) in
# every start:
#   - at 200 % a 600 x 600 window whose outline is twice the 100 % one, and a
#     picture that, shrunk back, is the 100 % picture: everything grew
#     together and stayed in place;
#   - the wheel at 200 % takes the wheel's outline at that size;
#   - the settings window's slider: End takes it to 200, Home to 50 (a
#     150 x 150 window), each written to the settings file at once.
#
# Usage: size_test.sh <path of the horavia executable>
set -u
. "$(dirname "$0")/lib.sh"

e2e_begin
start_x 1024x1024
copy_program "$1"
command -v faketime >/dev/null || fail "faketime is missing (Debian package faketime)"
launcher=(faketime "$(date +%F) 10:10:05")

# The clock's window: the program's only visible window.
find_clock() {
  wait_for -t 20 xdotool search --onlyvisible --class horavia || fail "no window appeared"
  main_window=$(visible_windows | head -n 1)
}
size_is() { read -r _ _ w h < <(geometry "$main_window"); [ "$w" -eq "$1" ] && [ "$h" -eq "$1" ]; }
ini_is() { [ "$(ini_value "$1")" = "$2" ]; }
PYTHON=/usr/bin/python3
# The area of the window's outline (its bounding shape), in pixels.
outline_area() {
  "$PYTHON" "$(dirname "$0")/window_x.py" bounding "$main_window" | awk '{ a += $3 * $4 } END { print a + 0 }'
}
# Whether A lies within 1 % of B.
about() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b * 0.99 && a < b * 1.01) }'; }
# How far two pictures differ, as the root mean square of their channels
# (0..1).
difference() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/'; }
start_at() {
  write_settings 显示秒针=0 "大小=$1"
  start_program
  find_clock
  wait_for size_is "$2" || fail "at 大小=$1 the window is $(geometry "$main_window"), want $2 x $2"
  sleep 0.5
}

# [100 and 200] --------------------------------------------------------------------

start_at 100 300
area100=$(outline_area)
shot "$work/at100.png" 300x300+200+200
quit_with_escape

start_at 200 600
area200=$(outline_area)
[ "$area100" -gt 0 ] && [ "$area100" -lt 90000 ] || fail "the outline at 100 % covers $area100 pixels"
about "$area200" $((4 * area100)) || fail "the outline at 200 % covers $area200 pixels, want four times $area100"
shot "$work/at200.png" 600x600+200+200
convert "$work/at200.png" -resize 300x300 "$work/at200-shrunk.png"
apart=$(difference "$work/at100.png" "$work/at200-shrunk.png")
awk -v d="$apart" 'BEGIN { exit !(d < 0.04) }' ||
  fail "the 200 % clock shrunk back differs from the 100 % one by $apart (see $work/at200.png)"
# Sharper than the 100 % clock blown up: the filter works on the skin's
# pictures, not on the finished frame.
convert "$work/at100.png" -filter point -resize 600x600 "$work/at100-blown.png"
awk -v d="$(difference "$work/at200.png" "$work/at100-blown.png")" 'BEGIN { exit !(d > 0.01) }' ||
  fail "the 200 % clock is the 100 % clock blown up pixel by pixel"

# The wheel's outline at 200 %.
quit_with_escape
start_at 100 300
open_menu 350 350
choose_menu_item $MENU_WHEEL
sleep 0.5
wheel100=$(outline_area)
quit_with_escape
start_at 200 600
open_menu 500 500
choose_menu_item $MENU_WHEEL
sleep 0.5
wheel200=$(outline_area)
about "$wheel200" $((4 * wheel100)) || fail "the wheel's outline at 200 % covers $wheel200 pixels, want four times $wheel100"
shot "$work/wheel200.png" 600x600+200+200

# [the settings window] --------------------------------------------------------------

open_settings
read -r sx sy _ _ < <(geometry "$settings")
read -r ux uy uw uh < <(unit_rect 滑块条3)
xdotool mousemove $((sx + ux + uw / 2)) $((sy + uy + uh / 2)) click 1 key Home
wait_for ini_is 大小 50 || fail "the slider's Home wrote 大小=$(ini_value 大小), want 50"
wait_for size_is 150 || fail "at 大小=50 the window is $(geometry "$main_window"), want 150 x 150"
xdotool key End
wait_for ini_is 大小 200 || fail "the slider's End wrote 大小=$(ini_value 大小), want 200"
wait_for size_is 600 || fail "back at 大小=200 the window is $(geometry "$main_window")"
xdotool key Escape
wait_for window_gone "$settings" || fail "the settings window did not close"
quit_with_escape
echo "PASS: size"
