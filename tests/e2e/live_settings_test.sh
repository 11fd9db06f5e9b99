#!/usr/bin/env bash
# Local control in the settings window: "允许本机控制" writes "控制端口"=39801
# and a "控制令牌" of 32 hexadecimal characters; with that port taken (the
# test holds it) the program says so in one line on standard error and in
# a note in the window, and goes on; the window shows the overlay's address,
# and its button copies it to the clipboard. Clearing the box writes 0 and
# keeps the token. Started again on a free port, the program listens there
# with the same token, and the window shows the address without a note.
#
# Usage: live_settings_test.sh HORAVIA
set -u
. "$(dirname "$0")/live_lib.sh"
program="$1"
command -v xclip >/dev/null || fail "xclip is missing (Debian package xclip)"

e2e_begin
start_x
copy_program "$program"

read -r box_x box_y _ box_h < <(unit_rect 选择框2)
read -r edit_x edit_y edit_w edit_h < <(unit_rect 编辑框1)
read -r copy_x copy_y copy_w copy_h < <(unit_rect 按钮1)
read -r note_x note_y note_w note_h < <(unit_rect 标签4)
read -r ok_x ok_y ok_w ok_h < <(unit_rect 动画框1)
[ -n "$ok_h" ] && [ -n "$note_h" ] || fail "cannot read the units' places from the settings window's form"

# Pixels of the address box that are text (dark), and of the note that are
# its red text.
text_pixels() {
  shot "$work/edit.png" "$((edit_w - 8))x$((edit_h - 8))+$((sx + edit_x + 4))+$((sy + edit_y + 4))"
  pixels "$work/edit.png" | awk '$3 + $4 + $5 < 300 {n++} END {print n + 0}'
}
note_pixels() {
  shot "$work/note.png" "${note_w}x${note_h}+$((sx + note_x))+$((sy + note_y))"
  pixels "$work/note.png" | awk '$3 > 120 && $4 < 90 && $5 < 90 {n++} END {print n + 0}'
}
shows_address() { [ "$(text_pixels)" -ge 200 ]; }
shows_no_address() { [ "$(text_pixels)" -eq 0 ]; }
shows_note() { [ "$(note_pixels)" -ge 20 ]; }
click_unit() { xdotool mousemove $((sx + $1)) $((sy + $2)) click 1; }
copied() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
open_settings_here() {
  open_settings
  read -r sx sy sw sh < <(geometry "$settings")
}
close_settings() {
  click_unit $((ok_x + ok_w / 2)) $((ok_y + ok_h / 2))
  wait_for window_gone "$settings" || fail "OK did not close the settings window"
}

# --- The usual port taken: the test holds it (or something else already does).
"$PYTHON" -c '
import socket, sys, time
s = socket.socket()
try:
    s.bind(("127.0.0.1", 39801)); s.listen()
except OSError:
    pass
time.sleep(600)' &
holder=$!
trap 'kill $holder 2>/dev/null; e2e_cleanup' EXIT
start_program
find_main_window
open_settings_here
shows_no_address || fail "the address box is not empty while local control is off"
shows_note && fail "a note shows while local control is off"
click_unit $((box_x + 8)) $((box_y + box_h / 2))
port_written() { [ "$(ini_value 控制端口)" = "$1" ]; }
wait_for port_written 39801 || fail "ticking 允许本机控制 wrote 控制端口=$(ini_value 控制端口), want 39801"
token=$(ini_value 控制令牌)
[[ "$token" =~ ^[0-9a-f]{32}$ ]] || fail "控制令牌 is \"$token\", want 32 hexadecimal characters"
wait_for shows_note || fail "no note that the port cannot be used ($(note_pixels) red pixels)"
wait_for shows_address || fail "no overlay address shown ($(text_pixels) text pixels)"
shot "$work/settings-busy.png" "${sw}x${sh}+${sx}+${sy}"
[ "$(grep -c '^horavia: ' "$work/program.err")" -eq 1 ] &&
  grep -q '^horavia: cannot listen on 127.0.0.1 port 39801' "$work/program.err" ||
  fail "want one line on standard error about port 39801, have: $(grep '^horavia' "$work/program.err")"
click_unit $((copy_x + copy_w / 2)) $((copy_y + copy_h / 2))
address="http://127.0.0.1:39801/overlay?token=$token"
wait_for copied "$address" || fail "the clipboard holds \"$(xclip -o -selection clipboard 2>&1)\", want $address"

# Cleared: off, the token kept, nothing shown.
click_unit $((box_x + 8)) $((box_y + box_h / 2))
wait_for port_written 0 || fail "clearing 允许本机控制 wrote 控制端口=$(ini_value 控制端口), want 0"
[ "$(ini_value 控制令牌)" = "$token" ] || fail "clearing the box changed the token"
wait_for shows_no_address || fail "the address stayed after clearing the box"
wait_for -t 2 shows_note && fail "the note stayed after clearing the box"
# The program went on: the clock's menu still opens the window.
close_settings
quit_with_escape
kill "$holder" 2>/dev/null

# --- A free port: listening, the same token, no note.
port=$(free_port)
iconv -f CP936 -t UTF-8 "$program_dir/配置.ini" | sed "s/^控制端口=.*/控制端口=$port\r/" |
  iconv -f UTF-8 -t CP936 >"$work/配置.ini" && mv "$work/配置.ini" "$program_dir/配置.ini"
: >"$work/program.err"
start_program
find_main_window
api "http://127.0.0.1:$port/api/v1/state" >/dev/null || fail "the interface does not answer on port $port"
[ "$(ini_value 控制令牌)" = "$token" ] || fail "the token changed on the second start"
open_settings_here
wait_for shows_address || fail "no overlay address shown on the second start"
shows_note && fail "a note shows though the interface listens"
shot "$work/settings-on.png" "${sw}x${sh}+${sx}+${sy}"
click_unit $((copy_x + copy_w / 2)) $((copy_y + copy_h / 2))
wait_for copied "http://127.0.0.1:$port/overlay?token=$token" || fail "the clipboard holds the wrong address"
close_settings
quit_with_escape
echo "PASS: live settings"
