#!/usr/bin/env bash
# The overlay as a streaming program's browser source shows it:
# `horavia --overlay-only` runs without a desktop window (no display server
# at all) under faketime from 10:10:30 and prints the overlay's address
# (the port the settings name, the token it makes); headless Chromium
# opens it, and its
# screenshot is transparent outside the clock's outline and, inside it,
# equal pixel for pixel to `horavia-skin preview` of the default skin at one
# of the seconds since (the second hand moves on while the browser starts).
# After `horavia wheel` the overlay is the preview of the wheel.
#
# Usage: live_overlay_test.sh HORAVIA HORAVIA-SKIN
set -u
. "$(dirname "$0")/live_lib.sh"
program="$1" skin_tool="$2"
command -v chromium >/dev/null || fail "chromium is missing (Debian package chromium)"
command -v faketime >/dev/null || fail "faketime is missing (Debian package faketime)"

e2e_begin
copy_program "$program"
port=$(free_port)
write_settings "控制端口=$port"
unset DISPLAY WAYLAND_DISPLAY
# The wall clock starts at 10:10:30 and runs; the timers' clock is the real one.
export FAKETIME_DONT_FAKE_MONOTONIC=1
launcher=(faketime "$(date +%F) 10:10:30")
program_args=(--overlay-only)
start_program
overlay_printed() { grep -q '^overlay: ' "$work/program.out"; }
wait_for -t 20 overlay_printed || fail "no overlay address on standard output: $(cat "$work/program.out")"
address=$(sed -n 's/^overlay: //p' "$work/program.out")
token=$(ini_value 控制令牌)
[ "$address" = "http://127.0.0.1:$port/overlay?token=$token" ] && [[ "$token" =~ ^[0-9a-f]{32}$ ]] ||
  fail "overlay at $address with 控制端口=$(ini_value 控制端口) and 控制令牌=$token"

mkdir -p "$work/chromium/profile"
"$PYTHON" "$E2E_DIR/overlay_shot.py" chromium "$address" "$work/overlay.png" "$work/chromium/profile" ||
  fail "no screenshot of the overlay: $(tail -n 5 "$work/chromium/chromium.log")"

best="" best_diff=""
for second in $(seq 30 59); do
  "$skin_tool" preview "$program_dir/skins/蓝色" "$work/preview.png" --time "10:10:$second" >/dev/null ||
    fail "horavia-skin preview failed at 10:10:$second"
  # Every channel, alpha included: outside the outline both are transparent.
  diff=$(compare -metric AE "$work/overlay.png" "$work/preview.png" null: 2>&1) || true
  if [ -z "$best_diff" ] || [ "$diff" -lt "$best_diff" ]; then best=$second best_diff=$diff; fi
  [ "$diff" -eq 0 ] && break
done
transparent=$(convert "$work/overlay.png" -depth 8 txt:- | awk -F'[:,() ]+' 'NR > 1 && $6 == 0 {n++} END {print n + 0}')
echo "overlay: best match 10:10:$best with $best_diff differing pixels; $transparent transparent pixels outside the outline"
[ "$transparent" -gt 10000 ] || fail "only $transparent pixels of the overlay are transparent"
[ "$best_diff" -eq 0 ] || fail "no preview matches the overlay; the nearest (10:10:$best) differs in $best_diff pixels"

# The wheel, asked for from the command line, as the preview shows it.
"$program_dir/$program_name" wheel || fail "horavia wheel failed"
"$skin_tool" preview "$program_dir/skins/蓝色" "$work/wheel.png" --wheel >/dev/null || fail "no preview of the wheel"
rm -rf "$work/chromium" && mkdir -p "$work/chromium/profile"
"$PYTHON" "$E2E_DIR/overlay_shot.py" chromium "$address" "$work/overlay-wheel.png" "$work/chromium/profile" ||
  fail "no screenshot of the overlay's wheel: $(tail -n 5 "$work/chromium/chromium.log")"
diff=$(compare -metric AE "$work/overlay-wheel.png" "$work/wheel.png" null: 2>&1) || true
[ "$diff" -eq 0 ] || fail "the overlay's wheel differs from the preview in $diff pixels"

stop_program
wait_for process_gone "$app_pid" || fail "the program did not end when told to"
app_pid=""
echo "PASS: live overlay"
