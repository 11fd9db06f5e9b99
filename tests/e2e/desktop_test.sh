#!/usr/bin/env bash
# The clock on the desktop, under a private X server without a window
# manager, one program start after another:
#   - its place written when a drag ends and restored at the next start; a
#     place no screen shows starts it at (200, 200);
#   - "显示秒针" = 0: no second hand moves; the menu brings it back;
#   - "鼠标穿透" from the menu: an empty input shape (the outline stays), a
#     right click reaches what lies below; without a tray a kept "on" waits;
#   - without a compositing manager a 24-bit window, as always;
#   - with one (xcompmgr): a 32-bit window whose pixmap, read through the
#     Composite extension as a window capture reads it, is clear outside the
#     outline and opaque on the face, before and after repaints; the outline
#     cuts the input; "不透明度" as the window's opacity, also from the
#     settings window;
#   - with a tray (trayer): the icon; a kept "鼠标穿透" applies; the tray's
#     menu switches it off; "隐藏时钟" and a click on the icon.
#
# Usage: desktop_test.sh <path of the horavia executable>
set -u
. "$(dirname "$0")/lib.sh"
PYTHON=/usr/bin/python3
window_x() { "$PYTHON" "$(dirname "$0")/window_x.py" "$@"; }

e2e_begin
start_x 1024x768
copy_program "$1"

# The clock's window: the program's only 300 x 300 window (the tray icon is
# a window of the program too).
find_clock() {
  local id
  wait_for -t 20 xdotool search --onlyvisible --class horavia || fail "no window appeared"
  for id in $(visible_windows); do
    read -r _ _ w h < <(geometry "$id")
    if [ "$w" -eq 300 ] && [ "$h" -eq 300 ]; then main_window=$id; return 0; fi
  done
  fail "no 300 x 300 window among $(visible_windows | tr '\n' ' ')"
}
place() { geometry "$main_window" | cut -d' ' -f1,2; }
ini_is() { [ "$(ini_value "$1")" = "$2" ]; }
# Whether the window's opacity for the compositing manager is PERCENT (the
# toolkit keeps it in 255 steps).
opacity_is() {
  xprop -id "$main_window" _NET_WM_WINDOW_OPACITY | awk -v want="$1" -F' = ' \
    '{ have = $2 / 4294967295 * 100; exit !(have > want - 0.5 && have < want + 0.5) }'
}
restart() {
  quit_with_escape
  start_program
  find_clock
}

# [place] ------------------------------------------------------------------------

start_program
find_clock
[ "$(place)" = "200 200" ] || fail "a fresh start at $(place), want 200 200"
[ "$(window_x depth "$main_window")" -eq 24 ] || fail "without a compositing manager the window has depth $(window_x depth "$main_window")"
px=350; py=450
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((px + step * 10)) $((py - step * 6)); sleep 0.05; done
xdotool mouseup 1
wait_for ini_is 窗口左边 250 || fail "the drag's end wrote 窗口左边=$(ini_value 窗口左边), want 250"
ini_is 窗口顶边 170 || fail "窗口顶边=$(ini_value 窗口顶边), want 170"
restart
[ "$(place)" = "250 170" ] || fail "restarted at $(place), want the kept 250 170"
quit_with_escape
write_settings 窗口左边=4000 窗口顶边=170
start_program
find_clock
[ "$(place)" = "200 200" ] || fail "a place no screen shows started at $(place), want 200 200"

# [second hand] --------------------------------------------------------------------

# Two screenshots a second and a half apart differ while the second hand
# turns. A pair is taken again when the minute changed in between (then the
# hands moved anyway) and once more when it differs: on a busy machine the
# first screenshot may come before the first paint.
hands_still() {
  local a b attempt
  for attempt in 1 2; do
    shot "$work/hands-a.png" "300x300+200+200"
    a=$(date +%M)
    sleep 1.5
    shot "$work/hands-b.png" "300x300+200+200"
    b=$(date +%M)
    [ "$a" = "$b" ] || { hands_still; return; }
    [ "$(compare -metric AE "$work/hands-a.png" "$work/hands-b.png" null: 2>&1)" = "0" ] && return 0
  done
  return 1
}
hands_still && fail "the second hand does not move"
quit_with_escape
write_settings 显示秒针=0
start_program
find_clock
hands_still || fail "with 显示秒针=0 the clock still changes every second"
open_menu 350 350
choose_menu_item $MENU_SECOND_HAND
wait_for ini_is 显示秒针 1 || fail "the menu did not switch the second hand on"
hands_still && fail "the second hand switched on from the menu does not move"

# [click-through] ------------------------------------------------------------------

[ -n "$(window_x input "$main_window")" ] || fail "the clock takes no input before click-through"
open_menu 350 350
choose_menu_item $MENU_CLICK_THROUGH
wait_for ini_is 鼠标穿透 1 || fail "the menu did not write 鼠标穿透=1"
[ -z "$(window_x input "$main_window")" ] || fail "input shape with click-through on: $(window_x input "$main_window")"
[ -n "$(shape_extents "$main_window")" ] || fail "the outline went with the input"
before=$(visible_windows)
xdotool mousemove 350 350 click 3
sleep 0.5
[ -z "$(new_window "$before")" ] || fail "a right click through the clock still opened its menu"
# Without a tray the kept switch waits: the next start takes clicks.
kill "$app_pid"
wait "$app_pid" 2>/dev/null
app_pid=""
start_program
find_clock
[ -n "$(window_x input "$main_window")" ] || fail "without a tray a kept 鼠标穿透=1 left no way back"
quit_with_escape

# [compositing] --------------------------------------------------------------------

xcompmgr >"$work/xcompmgr.log" 2>&1 &
compositor_pid=$!
wait_for xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null || true
wait_for sh -c 'xdpyinfo -ext Composite >/dev/null && xprop -root | grep -q .' || fail "no X properties"
write_settings 不透明度=50
start_program
find_clock
[ "$(window_x depth "$main_window")" -eq 32 ] || fail "with a compositing manager the window has depth $(window_x depth "$main_window"), want 32"
sleep 0.5
read -r corner1 corner2 face centre < <(window_x alpha "$main_window" 2,2 297,297 150,60 150,150 | tr '\n' ' ')
[ "$corner1" -eq 0 ] && [ "$corner2" -eq 0 ] || fail "alpha $corner1 and $corner2 in the corners, want 0"
[ "$face" -eq 255 ] && [ "$centre" -eq 255 ] || fail "alpha $face and $centre on the face, want 255"
# Still clear after the second hand has moved (each repaint is cut too).
sleep 1.2
[ "$(window_x alpha "$main_window" 2,2 2,297 297,2 40,40 | sort -u)" = "0" ] || fail "the corners filled in after a repaint"
# The outline cuts the input: a right click in a corner reaches the desktop,
# one on the face opens the menu.
[ "$(window_x input "$main_window" | wc -l)" -gt 1 ] || fail "the input region is not the outline"
before=$(visible_windows)
xdotool mousemove 203 203 click 3
sleep 0.5
[ -z "$(new_window "$before")" ] || fail "a right click outside the outline opened the menu"
open_menu 350 350
xdotool key Escape
wait_for window_gone "$menu_window" || fail "the menu did not close"
opacity_is 50 || fail "opacity 50 is $(xprop -id "$main_window" _NET_WM_WINDOW_OPACITY)"
shot "$work/composited.png"
# The settings window's slider: Home takes it to its lowest, 20.
open_settings
read -r sx sy _ _ < <(geometry "$settings")
read -r ux uy uw uh < <(unit_rect 滑块条2)
xdotool mousemove $((sx + ux + uw / 2)) $((sy + uy + uh / 2)) click 1 key Home
wait_for ini_is 不透明度 20 || fail "the settings window's slider wrote 不透明度=$(ini_value 不透明度), want 20"
opacity_is 20 || fail "opacity 20 is $(xprop -id "$main_window" _NET_WM_WINDOW_OPACITY)"
xdotool key Escape
wait_for window_gone "$settings" || fail "the settings window did not close"
quit_with_escape
kill "$compositor_pid"
wait "$compositor_pid" 2>/dev/null

# [tray] ---------------------------------------------------------------------------

trayer --edge bottom --align right --widthtype pixel --width 64 --heighttype pixel --height 32 \
  >"$work/trayer.log" 2>&1 &
tray_pid=$!
wait_for -t 20 sh -c 'xprop -root | grep -q . && xdotool search --class trayer' || fail "the tray did not start"
write_settings 鼠标穿透=1
start_program
find_clock
wait_for test "$(visible_windows | wc -l)" -ge 2 || fail "no tray icon appeared"
icon=$(visible_windows | grep -vx "$main_window" | head -n 1)
read -r ix iy iw ih < <(geometry "$icon")
[ -z "$(window_x input "$main_window")" ] || fail "with a tray a kept 鼠标穿透=1 is not applied"
shot "$work/tray.png"
# The tray's menu: the pop-up menu's items, then "隐藏时钟". Click-through
# is the sixth item.
before=$(visible_windows)
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 3
wait_for new_window "$before" || fail "no menu on a right click on the tray icon"
menu_window=$(new_window "$before")
choose_menu_item $MENU_CLICK_THROUGH
wait_for ini_is 鼠标穿透 0 || fail "the tray's menu did not switch click-through off"
[ -n "$(window_x input "$main_window")" ] || fail "the clock takes no input after the tray switched it back"
# "隐藏时钟", then a click on the icon brings the clock back.
before=$(visible_windows)
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 3
wait_for new_window "$before" || fail "no menu on the tray icon"
menu_window=$(new_window "$before")
xdotool key --delay 40 Up Return
wait_for window_gone "$main_window" || fail "隐藏时钟 left the clock shown"
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_for sh -c "xdotool search --onlyvisible --class horavia | grep -qx $main_window" ||
  fail "a click on the tray icon did not show the clock"
quit_with_escape
kill "$tray_pid"
echo "PASS: desktop"
