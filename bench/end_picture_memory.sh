#!/usr/bin/env bash
# What a long end picture costs the running program in memory, measured
# from outside: resident memory (VmRSS) of the real program under a private
# X server (Xvfb), first with the shipped default skin, then with its
# "结束1.gif" replaced by a long animation (FRAMES frames of 300 × 300, one
# flat colour each: a GIF of about 1.3 MB that decodes into 360 000 bytes a
# frame). Each run reports the memory once the clock shows, and the highest
# reading while a spin's end pictures show (sampled every 0.2 s from the
# spin's end sound on). The program is driven as a user would: the pop-up
# menu's "开心转盘", then a double-click on the wheel.
#
# This is a measurement: it prints its readings and exits 0 either way.
#
#   bench/end_picture_memory.sh [BUILD-FOLDER [PROGRAM [FRAMES]]]
#     (defaults: build-bench, that folder's program/horavia, 3000)
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
frames=${3:-3000}
. "$top/tests/e2e/lib.sh"

give_up() {
  echo "end pictures: not measured: $*"
  exit 0
}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORAVIA_BENCH=ON -DHORAVIA_TESTS=OFF >/dev/null ||
    give_up "cannot configure $build"
fi
program=${2:-$build/program/horavia}
targets=(make_long_gif)
[ -z "${2:-}" ] && targets+=(horavia)
cmake --build "$build" --target "${targets[@]}" >/dev/null || give_up "cannot build in $build"
[ -x "$program" ] || give_up "no program at $program"
maker=$(find "$build/bench" -type f -name make_long_gif -perm -u+x | head -n 1)

rss_mb() { awk '/^VmRSS:/ {printf "%.1f", $2 / 1024}' "/proc/$1/status" 2>/dev/null; }

# One run of the program from a fresh copy of its folder; END1 (a file, or
# empty for the shipped one) becomes the default skin's first end picture.
# Prints "LOADED PEAK" in MB.
measure() {
  local end1="$1"
  e2e_begin
  start_x
  copy_program "$program"
  [ -n "$end1" ] && cp "$end1" "$program_dir/skins/蓝色/结束1.gif"
  start_program
  find_main_window
  sleep 3  # settled: the first tick, the chime check and the window's shape done
  local loaded
  loaded=$(rss_mb "$app_pid")
  local x y w h
  read -r x y w h < <(geometry "$main_window")
  open_menu $((x + w / 2)) $((y + h / 2))
  choose_menu_item "$MENU_WHEEL"
  sleep 1
  xdotool mousemove $((x + 150)) $((y + 230)) click --repeat 2 --delay 80 1
  # The spin takes about 14 s; the end pictures then play for some seconds.
  local peak="$loaded" reading i
  for ((i = 0; i < 150; i++)); do
    reading=$(rss_mb "$app_pid")
    [ -n "$reading" ] && awk -v a="$reading" -v b="$peak" 'BEGIN {exit !(a > b)}' && peak=$reading
    sleep 0.2
  done
  quit_with_escape
  e2e_cleanup
  trap - EXIT
  echo "$loaded $peak"
}

long="$(mktemp -d)/long.gif"
"$maker" "$long" "$frames" >/dev/null || give_up "cannot make the long animation"
echo "program: $program"
echo "long end picture: $frames frames of 300 × 300, $(stat -c %s "$long") bytes"
read -r shipped_loaded shipped_peak < <(measure "")
read -r long_loaded long_peak < <(measure "$long")
rm -rf "$(dirname "$long")"
printf '%-30s %12s %22s\n' "skin" "clock shown" "end pictures shown"
printf '%-30s %9s MB %19s MB\n' "shipped" "$shipped_loaded" "$shipped_peak"
printf '%-30s %9s MB %19s MB\n' "long 结束1.gif" "$long_loaded" "$long_peak"
