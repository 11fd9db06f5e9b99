#!/usr/bin/env bash
# The skin tool's preview against the running program: the program runs
# under faketime from 10:10:30 and its window is photographed; one of the
# previews of the default skin at 10:10:30 … 10:10:59 (the second hand
# has moved on by however many seconds passed before the photograph) must
# match the photograph pixel for pixel wherever the preview is opaque, that
# is inside the clock's outline.
#
# Usage: preview_test.sh HORAVIA HORAVIA-SKIN
set -u
. "$(dirname "$0")/lib.sh"
program="$1" skin_tool="$2"
command -v faketime >/dev/null || fail "faketime is missing (Debian package faketime)"

e2e_begin
start_x
copy_program "$program"
# The wall clock starts at 10:10:30 and runs; the timers' clock is the real one.
export FAKETIME_DONT_FAKE_MONOTONIC=1
launcher=(faketime "$(date +%F) 10:10:30")
start_program
find_main_window
read -r wx wy ww wh < <(geometry "$main_window")
# Painted once the middle of the face is no longer the black root window.
painted() {
  shot "$work/middle.png" "1x1+$((wx + ww / 2 + 20))+$((wy + wh / 2 + 40))"
  [ "$(pixels "$work/middle.png" | awk '{print $3 + $4 + $5}')" -gt 0 ]
}
wait_for painted || fail "the clock did not paint"
shot "$work/clock.png" "${ww}x${wh}+${wx}+${wy}"
pixels "$work/clock.png" >"$work/clock.txt"

best="" best_diff=""
for second in $(seq 30 59); do
  "$skin_tool" preview "$program_dir/skins/蓝色" "$work/preview.png" --time "10:10:$second" >/dev/null ||
    fail "horavia-skin preview failed at 10:10:$second"
  opaque_pixels "$work/preview.png" >"$work/preview.txt"
  [ -s "$work/preview.txt" ] || fail "the preview has no opaque pixel"
  diff=$(awk 'NR == FNR {seen[$1 " " $2] = $0; next} seen[$1 " " $2] != $0 {n++} END {print n + 0}' \
    "$work/clock.txt" "$work/preview.txt")
  if [ -z "$best_diff" ] || [ "$diff" -lt "$best_diff" ]; then best=$second best_diff=$diff; fi
  [ "$diff" -eq 0 ] && break
done
echo "preview: best match 10:10:$best with $best_diff differing pixels of $(wc -l <"$work/preview.txt") opaque ones"
[ "$best_diff" -eq 0 ] || fail "no preview matches the running clock; the nearest (10:10:$best) differs in $best_diff pixels"

quit_with_escape
echo "PASS: preview"
