#!/usr/bin/env bash
# The settings window, opened from the pop-up menu: it lists the skin
# folders (not the files beside them) with the current skin selected, and
# choosing a skin writes "皮肤文件名" at once and shows that skin's wheel;
# the device list offers "系统默认通道输出" and the outputs after it, and
# choosing one writes "通道"; the volume slider writes "音量", and the next
# sound plays at that volume; the autostart box writes the desktop's
# autostart entry; a click on OK closes the window. Escape then ends the
# program with code 0 and no message box (no device failed to open).
#
# Units are found from their places in the window's form source, relative
# to the window the X server shows.
#
# Usage: settings_test.sh HORAVIA HORAVIA-SKIN
set -u
. "$(dirname "$0")/lib.sh"
program="$1" skin_tool="$2"

e2e_begin
# Wide enough that the settings window, centred, leaves the clock (moved to
# 200, 200 at start-up) in view beside it.
start_x 1400x700
copy_program "$program"
# A file among the skin folders is no skin.
echo "not a skin" >"$program_dir/skins/说明.txt"
mapfile -t skins < <(find "$program_dir/skins" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
[ "${#skins[@]}" -ge 2 ] || fail "want at least two skins to choose from, have: ${skins[*]}"

# Each skin's wheel as the program shows it after a skin change (turned to
# 0, its prizes written on), as the skin tool previews it.
for name in "${skins[@]}"; do
  "$skin_tool" preview "$program_dir/skins/$name" "$work/wheel-$name.png" --wheel >/dev/null ||
    fail "cannot preview $name's wheel"
  pixels "$work/wheel-$name.png" >"$work/wheel-$name.txt"
done

read -r list_x list_y list_w list_h < <(unit_rect 列表框1)
read -r check_x check_y _ check_h < <(unit_rect 选择框1)
read -r combo_x combo_y combo_w _ < <(unit_rect 组合框1)
read -r ok_x ok_y ok_w ok_h < <(unit_rect 动画框1)
[ -n "$ok_h" ] || fail "cannot read the units' places from the settings window's form"

start_program
find_main_window
read -r wx wy ww wh < <(geometry "$main_window")

# --- Open it.
open_settings
read -r sx sy sw sh < <(geometry "$settings")
[ "$sw" -eq 352 ] && [ "$sh" -eq 398 ] || fail "settings window ${sw}x${sh}, want 352x398"
# Centred on the screen.
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
[ $((sx - (screen_w - sw) / 2)) -ge -2 ] && [ $((sx - (screen_w - sw) / 2)) -le 2 ] &&
  [ $((sy - (screen_h - sh) / 2)) -ge -2 ] && [ $((sy - (screen_h - sh) / 2)) -le 2 ] ||
  fail "settings window at $sx,$sy, want it centred on the ${screen_w}x${screen_h} screen"

# --- The skin list.

# The rows of the list that show the selection: "FIRST LAST" (window
# pixels), found down a column right of the names, where an unselected row
# shows the list's own background (as its empty bottom does).
selection_band() {
  local column=$((sx + list_x + list_w - 12))
  shot "$work/list.png" "1x$((list_h - 4))+${column}+$((sy + list_y + 2))"
  pixels "$work/list.png" | awk -v top=$((list_y + 2)) '
    { colour[NR] = $3 " " $4 " " $5; n = NR }
    END {
      base = colour[n]
      for (i = 1; i <= n; i++) if (colour[i] != base) { if (!first) first = i; last = i }
      if (first) print first - 1 + top, last - 1 + top
    }'
}
band_row() {  # the selected row's index, from the band and the row height
  local first last
  read -r first last < <(selection_band)
  [ -n "$first" ] || return 1
  echo $(((first - list_y) / (last - first + 1)))
}
wait_for selection_band || fail "no skin is selected in the list"
read -r band_first band_last < <(selection_band)
row_height=$((band_last - band_first + 1))
first_row=$(band_row)
echo "skin list: the selected row is row $first_row, rows are $row_height pixels high"

row_is() { [ "$(band_row)" = "$1" ]; }
# The main window shows SKIN's wheel where the settings window leaves it
# uncovered (beside or below it), needle and pointer aside.
wheel_of() {
  local from=$((sy + sh - wy + 2))
  [ $((sx + sw)) -le "$wx" ] || [ "$sx" -ge $((wx + ww)) ] && from=0
  shot "$work/main.png" "${ww}x${wh}+${wx}+${wy}"
  pixels "$work/main.png" | awk -v from="$from" '
    function abs(v) { return v < 0 ? -v : v }
    NR == FNR { ref[$1 " " $2] = $3 " " $4 " " $5; next }
    { dx = $1 + 0.5 - 150; dy = $2 + 0.5 - 150; r = sqrt(dx * dx + dy * dy) }
    $2 >= from && r >= 66 && r <= 146 {
      n++; split(ref[$1 " " $2], c, " ")
      if (abs($3 - c[1]) + abs($4 - c[2]) + abs($5 - c[3]) <= 12) same++
    }
    END { exit !(n > 1000 && same >= 0.97 * n) }' "$work/wheel-$1.txt" -
}

# Focus the list with a click on the selected row, which changes nothing;
# then the first and last rows with the keyboard. Each change writes the
# setting at once and shows the chosen skin's wheel.
xdotool mousemove $((sx + list_x + 20)) $((sy + (band_first + band_last) / 2)) click 1
sleep 0.3
[ "$(band_row)" = "$first_row" ] || fail "a click on the selected row changed the selection"
skin_changed_from() { local value; value=$(ini_value 皮肤文件名); [ -n "$value" ] && [ "$value" != "$1" ]; }
declare -A skin_at_row
row=$first_row
for key in Home End Home; do
  want_row=0
  [ "$key" = End ] && want_row=$((${#skins[@]} - 1))
  previous=$(ini_value 皮肤文件名)
  xdotool key "$key"
  wait_for row_is "$want_row" || fail "$key: the selection is on row $(band_row), want row $want_row"
  [ "$want_row" = "$row" ] && continue  # the selection stayed: nothing to write
  row=$want_row
  wait_for skin_changed_from "$previous" || fail "$key: 皮肤文件名 stayed '$previous'"
  chosen=$(ini_value 皮肤文件名)
  skin_at_row[$row]=$chosen
  wait_for wheel_of "$chosen" || fail "after choosing $chosen the main window does not show its wheel"
done
last_row=$((${#skins[@]} - 1))
echo "skin list: row 0 is ${skin_at_row[0]}, row $last_row (the last) is ${skin_at_row[$last_row]}"
[ "${skin_at_row[0]}" != "${skin_at_row[$last_row]}" ] || fail "the first and last rows both chose ${skin_at_row[0]}"
for chosen in "${skin_at_row[@]}"; do
  printf '%s\n' "${skins[@]}" | grep -qxF "$chosen" || fail "chose '$chosen', which is no skin folder"
done
[ "${skin_at_row[$first_row]:-}" = 蓝色 ] ||
  fail "the list opened with row $first_row (${skin_at_row[$first_row]:-?}) selected, want the current skin 蓝色"

# --- The device list: "系统默认通道输出" first (position 0), then the outputs.
# Open it, take the last entry: "通道" is its position.
devices_before=$(visible_windows)
xdotool mousemove $((sx + combo_x + combo_w / 2)) $((sy + combo_y + 10)) click 1
wait_for new_window "$devices_before" || fail "the device list did not open"
popup=$(new_window "$devices_before")
channel_is() { [ "$(ini_value 通道)" = "$1" ]; }
channel_set() { [ -n "$(ini_value 通道)" ]; }
xdotool key End Return
wait_for window_gone "$popup" || fail "the device list did not close"
wait_for channel_set || fail "choosing the last device wrote no 通道"
last_device=$(ini_value 通道)
echo "device list: ${last_device} output(s) after 系统默认通道输出"
[ "$last_device" -ge 1 ] || fail "the last device is at position $last_device, want outputs after 系统默认通道输出"
# Back to the first entry with the keyboard on the closed list.
xdotool key Home
wait_for channel_is 0 || fail "the first device entry wrote 通道=$(ini_value 通道), want 0"

# --- The volume: next in the tab order after the device list.
volume_is() { [ "$(ini_value 音量)" = "$1" ]; }
xdotool key Tab End
wait_for volume_is 100 || fail "End on the volume slider wrote 音量=$(ini_value 音量), want 100"
xdotool key Left Left
wait_for volume_is 98 || fail "two steps left wrote 音量=$(ini_value 音量), want 98"

# The next sound plays at that volume: a double-click on a skin previews
# its end sound "结束.mp3". The audio output rests while nothing plays, so
# the recording starts afresh with this sound.
audio_start=0
xdotool mousemove $((sx + list_x + 20)) $((sy + band_first - first_row * row_height + row_height / 2)) click --repeat 2 --delay 80 1
preview_skin=${skin_at_row[0]}
# Played out: half a second of quiet recorded after the loud part.
played() {
  local first last
  read -r first last peak < <(tail -c +$((audio_start + 1)) "$work/audio.raw" | loud_blocks 300)
  [ -n "${last:-}" ] && [ $((($(stat -c %s "$work/audio.raw") - audio_start) / 1764)) -gt $((last + 50)) ]
}
wait_for played || fail "no sound after a double-click on a skin"
lame --quiet --decode "$program_dir/skins/$preview_skin/结束.mp3" "$work/end.wav" || fail "lame cannot decode 结束.mp3"
read -r _ _ file_peak < <(sox "$work/end.wav" -t raw -r 44100 -c 2 -e signed -b 16 - | loud_blocks 300)
ratio=$(awk -v a="${peak:-0}" -v b="$file_peak" 'BEGIN {printf "%.3f\n", a / b}')
echo "preview: 结束.mp3 of $preview_skin played at $ratio of its level"
awk -v r="$ratio" 'BEGIN {exit !(r >= 0.93 && r <= 1.03)}' || fail "the preview played at $ratio of its level, want 0.98"

# --- Autostart: the desktop's autostart entry follows the box.
entry="$work/config/autostart/horavia.desktop"
xdotool mousemove $((sx + check_x + 8)) $((sy + check_y + check_h / 2)) click 1
wait_for test -s "$entry" || fail "checking 开机自动运行时钟 wrote no autostart entry"
grep -q "^Exec=.*$program_dir/$program_name" "$entry" || fail "the autostart entry does not start the program: $(cat "$entry")"
grep -q "^Hidden=true" "$entry" && fail "the autostart entry is hidden while the box is checked"
xdotool click 1
wait_for grep -q "^Hidden=true" "$entry" || fail "clearing 开机自动运行时钟 did not hide the autostart entry: $(cat "$entry")"

# --- OK closes the window; the clock stays.
xdotool mousemove $((sx + ok_x + ok_w / 2)) $((sy + ok_y + ok_h / 2)) click 1
wait_for window_gone "$settings" || fail "OK did not close the settings window"
visible_windows | grep -qx "$main_window" || fail "the clock went away with the settings window"

quit_with_escape
echo "PASS: settings"
