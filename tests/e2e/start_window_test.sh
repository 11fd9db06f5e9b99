#!/usr/bin/env bash
# The start window under a private X server without a window manager: one
# 300 x 300 top-level window, placed at (200, 200) by the clock's start-up,
# undecorated, kept on top and owned (no taskbar button); a left-button drag
# anywhere on the clock moves it; Escape closes it and the program exits with
# code 0.
#
# Usage: start_window_test.sh <path of the horavia executable>
set -u
. "$(dirname "$0")/lib.sh"

e2e_begin
start_x 1024x768
copy_program "$1"
start_program
find_main_window
window=$main_window

read -r x y w h < <(geometry "$window")
[ "$w" -eq 300 ] && [ "$h" -eq 300 ] || fail "size ${w}x${h}, want 300x300"
[ "$x" -eq 200 ] && [ "$y" -eq 200 ] || fail "at $x,$y, want 200,200"

# No decorations: the Motif hints carry the decorations flag (bit 1) with no
# decorations asked for.
read -r mflags _ mdecorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
[ -n "${mflags:-}" ] && [ $((mflags & 2)) -ne 0 ] && [ $((mdecorations)) -eq 0 ] ||
  fail "decorations are not switched off: $(xprop -id "$window" _MOTIF_WM_HINTS)"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not marked to stay on top"
# No taskbar button: a utility window owned by the hidden runtime window.
xprop -id "$window" WM_TRANSIENT_FOR | grep -q "window id" || fail "the window has no owner"
xprop -id "$window" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY || fail "not a utility window"

# Drag from a point on the clock face (the window's outline is the face).
px=$((x + 150)); py=$((y + 250))
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((px + step * 8)) $((py - step * 5)); sleep 0.05; done
xdotool mouseup 1
at() { [ "$(geometry "$window" | cut -d' ' -f1,2)" = "$1" ]; }
wait_for at "$((x + 40)) $((y - 25))" ||
  fail "drag moved the window to $(geometry "$window" | cut -d' ' -f1,2), want $((x + 40)) $((y - 25))"

quit_with_escape
echo "PASS: start window"
