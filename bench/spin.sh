#!/usr/bin/env bash
# What a whole spin costs, in both kinds of wheel: the default skin "蓝色"
# turns its needle over the wheel, "喜庆" turns its wheel under a still
# pointer. For each, under a private X server (Xvfb):
#
#   cpu      share of one core from the double-click until the wheel has come
#            to rest (the record's line appears in "转盘记录.csv"): the
#            threads' /proc/<pid>/task/<tid>/schedstat run times
#   steps    paints of the window over that time, from the X server's damage
#            reports (bench/x_watch.cpp, "paints")
#   gap      the longest time between two paints while the wheel turns, from
#            the first paint after the double-click to the rest: a step the
#            program was late to draw shows here (steps are 50 ms apart)
#
# The wheel shows through the pop-up menu ("开心转盘"), as a user would
# choose it, with SDL's dummy audio driver. This is a measurement: it exits
# 0 whatever it finds.
#
#   bench/spin.sh [BUILD-FOLDER]    (default: build-bench)
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}

work=$(mktemp -d)
xvfb_pid="" clock_pid="" watch_pid=""
cleanup() {
  for pid in $watch_pid $clock_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

give_up() {
  echo "spin: not measured: $*"
  exit 0
}

command -v xdotool >/dev/null || give_up "xdotool is missing"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORAVIA_BENCH=ON -DHORAVIA_TESTS=OFF >/dev/null ||
    give_up "cannot configure $build"
fi
cmake --build "$build" --target horavia x_watch >/dev/null || give_up "cannot build the program and x_watch in $build"
watch="$build/bench/x_watch"

# Polls a command every 0.02 s for at most SECONDS.
wait_for() {
  local seconds=$1 _
  shift
  for _ in $(seq 1 $((seconds * 50))); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.02
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || give_up "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
wait_for 10 xdpyinfo || give_up "Xvfb did not start"

run_ns() { awk '{n += $1} END {print n}' /proc/"$1"/task/*/schedstat 2>/dev/null; }
record_lines() { if [ -f "$1" ]; then grep -c . "$1"; else echo 0; fi; }
record_grew() { [ "$(record_lines "$1")" -gt "$2" ]; }

# Adds "skin cpu% steps gap_ms seconds" for one spin of SKIN to $work/spins.
spin() {
  local skin=$1 program="$work/program-$1"
  rm -rf "$program"
  cp -r "$build/program" "$program"
  rm -f "$program/bass.dll"
  printf '[配置]\r\n皮肤文件名=%s\r\n' "$skin" | iconv -f UTF-8 -t CP936 >"$program/配置.ini"
  (
    cd "$program" &&
      XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy HORAVIA_DIALOGS=print \
        QT_QPA_PLATFORM=xcb exec ./horavia
  ) >"$work/clock.log" 2>&1 &
  clock_pid=$!
  [ "$("$watch" first-frame "$EPOCHREALTIME" horavia)" = never ] && give_up "the clock did not paint: $(cat "$work/clock.log")"
  local window x y
  window=$(xdotool search --onlyvisible --class horavia | head -n 1)
  read -r x y < <(xdotool getwindowgeometry "$window" | awk '/Position:/ {split($2, p, ","); print p[1], p[2]}')
  # "开心转盘" is the second item of the pop-up menu.
  xdotool mousemove $((x + 150)) $((y + 230)) click 3
  sleep 0.5
  xdotool key --delay 40 Down Down Return
  sleep 1

  local record="$program/转盘记录.csv" lines
  lines=$(record_lines "$record")
  "$watch" paints horavia >"$work/paints" &
  watch_pid=$!
  sleep 0.3
  local ns0 t0 ns1 t1
  ns0=$(run_ns "$clock_pid")
  t0=$EPOCHREALTIME
  xdotool mousemove $((x + 150)) $((y + 230)) click --repeat 2 --delay 80 1
  wait_for 40 record_grew "$record" "$lines" || give_up "the $skin spin did not come to rest"
  t1=$EPOCHREALTIME
  ns1=$(run_ns "$clock_pid")
  kill "$watch_pid" "$clock_pid" 2>/dev/null
  wait "$watch_pid" "$clock_pid" 2>/dev/null
  watch_pid="" clock_pid=""
  awk -v skin="$skin" -v t0="$t0" -v t1="$t1" -v ns="$((ns1 - ns0))" '
    $1 >= t0 && $1 <= t1 {if (n++) gap = ($1 - last > gap) ? $1 - last : gap; last = $1}
    END {printf "%s %.2f %d %.0f %.1f\n", skin, 100 * ns / 1e9 / (t1 - t0), n, 1000 * gap, t1 - t0}' "$work/paints" \
    >>"$work/spins"
}

spin 蓝色
spin 喜庆
load=$(cut -d' ' -f1-3 /proc/loadavg)
echo "spin under Xvfb (audio driver: dummy); load average $load"
printf '  %-20s %10s %8s %14s %10s\n' mode "cpu %" steps "longest gap ms" seconds
while read -r skin cpu steps gap seconds; do
  mode="needle ($skin)"
  [ "$skin" = 喜庆 ] && mode="wheel ($skin)"
  printf '  %-20s %10s %8s %14s %10s\n' "$mode" "$cpu" "$steps" "$gap" "$seconds"
done <"$work/spins"
exit 0
