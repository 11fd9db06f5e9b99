#!/usr/bin/env bash
# What the running clock costs while nobody touches it, side by side with
# `xclock -update 1` (a clock that redraws every second too) and with the
# toolkit's floor, `bare_window` (bench/bare_window.cpp: a bare translucent
# window of the clock's size that repaints one rectangle a second, what any
# clock drawn by this toolkit costs at least), all under one private X server
# (Xvfb) over the same interval:
#
#   cpu      share of one core: utime + stime from /proc/<pid>/stat over the
#            interval (10 ms ticks), and the same from the threads'
#            /proc/<pid>/task/<tid>/schedstat run times (nanoseconds)
#   wakeups  voluntary + involuntary context switches per second, summed
#            over the process's threads (/proc/<pid>/task/*/status)
#   rss      resident memory (VmRSS) at the end of the interval, and the
#            anonymous part of it (heap, stacks: the process's own memory;
#            the rest are pages of its program and shared libraries, which
#            every other process running those libraries shares)
#   first    time from starting the process to its first painted frame:
#            x_watch (bench/x_watch.cpp) reads the screen back every 10 ms
#            where the window lies until it shows a dozen distinct colours
#            (the clock leaves the black root showing until it paints;
#            xclock's white window with its blue face has a dozen once its
#            anti-aliased hands are drawn)
#
# The clock runs in its default clock mode from a fresh copy of its program
# folder, with SDL's dummy audio driver (HORAVIA_IDLE_AUDIO=disk or any SDL
# driver name to change it), and the settings of a fresh start unless
# HORAVIA_IDLE_SETTINGS gives "配置.ini" lines (KEY=VALUE, UTF-8, separated by
# spaces): HORAVIA_IDLE_SETTINGS=显示秒针=0 measures the clock without its
# second hand, which should wake once a minute. Each figure is printed with
# its ratio to xclock's in the same run, and the load average of the machine
# beside them (other work on a shared machine slows both). Goals for the
# clock: at most xclock's share of a core, one wake-up a second (once a
# minute without the second hand), at most 25 MB resident and the first
# frame within 120 ms; the floor's column shows how much of each the toolkit
# alone takes. The clock's threads are listed one by one. This is a
# measurement: it reports whether the goals are met and exits 0 either way.
#
#   bench/idle.sh [BUILD-FOLDER] [SECONDS]    (defaults: build-bench, 30)
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
seconds=${2:-${HORAVIA_IDLE_SECONDS:-30}}
audio=${HORAVIA_IDLE_AUDIO:-dummy}

work=$(mktemp -d)
xvfb_pid="" clock_pid="" xclock_pid="" bare_pid=""
cleanup() {
  for pid in $clock_pid $xclock_pid $bare_pid $xvfb_pid; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Not measured is not a failure of the run that called this.
give_up() {
  echo "idle: not measured: $*"
  exit 0
}

command -v xclock >/dev/null || give_up "xclock is missing (Debian package x11-apps)"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORAVIA_BENCH=ON -DHORAVIA_TESTS=OFF >/dev/null ||
    give_up "cannot configure $build"
fi
cmake --build "$build" --target horavia x_watch bare_window >/dev/null ||
  give_up "cannot build the program, x_watch and bare_window in $build"
watch="$build/bench/x_watch"
cp -r "$build/program" "$work/program"
rm -f "$work/program/bass.dll" "$work/program/配置.ini"
if [ -n "${HORAVIA_IDLE_SETTINGS:-}" ]; then
  # shellcheck disable=SC2086  # one line per word
  { printf '[配置]\r\n'; printf '%s\r\n' $HORAVIA_IDLE_SETTINGS; } | iconv -f UTF-8 -t CP936 >"$work/program/配置.ini"
fi

# Polls a command every 0.05 s for at most ten seconds.
wait_for() {
  local _
  for _ in $(seq 1 200); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.05
  done
  return 1
}

Xvfb -displayfd 3 -screen 0 800x600x24 -br -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for test -s "$work/display" || give_up "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
wait_for xdpyinfo || give_up "Xvfb did not start"

now_ns() { date +%s%N; }

# --- Start each alone, so that neither slows the other's start.
mkdir -p "$work/config" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
started=$EPOCHREALTIME
(
  cd "$work/program" &&
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime" \
      SDL_AUDIODRIVER="$audio" SDL_DISKAUDIOFILE=/dev/null HORAVIA_DIALOGS=print QT_QPA_PLATFORM=xcb \
      exec ./horavia
) >"$work/clock.log" 2>&1 &
clock_pid=$!
clock_first=$("$watch" first-frame "$started" horavia)
[ "$clock_first" = never ] && give_up "the clock's window did not paint: $(cat "$work/clock.log")"

started=$EPOCHREALTIME
xclock -update 1 -geometry 200x200+560+20 -fg blue -hd blue -hl blue >"$work/xclock.log" 2>&1 &
xclock_pid=$!
xclock_first=$("$watch" first-frame "$started" XClock)
[ "$xclock_first" = never ] && give_up "xclock's window did not paint"

# Pixels over the X connection, as the clock sends them (platform/qt_platform.h).
started=$EPOCHREALTIME
QT_XCB_NO_MITSHM=1 XDG_RUNTIME_DIR="$work/runtime" "$build/bench/bare_window" 500 280 >"$work/bare.log" 2>&1 &
bare_pid=$!
bare_first=$("$watch" first-frame "$started" bare_window)
[ "$bare_first" = never ] && give_up "the bare window did not paint"

# Let all three settle (first corrections) before measuring.
sleep 3

# One line per thread: "tid comm switches ticks runtime_ns".
threads() {
  local task
  for task in /proc/"$1"/task/*; do
    [ -r "$task/status" ] || continue
    printf '%s %s %s %s %s\n' "${task##*/}" "$(tr ' ' '_' <"$task/comm")" \
      "$(awk '/^voluntary_ctxt_switches|^nonvoluntary_ctxt_switches/ {n += $2} END {print n}' "$task/status")" \
      "$(awk '{print $14 + $15}' "$task/stat")" \
      "$(awk '{print $1}' "$task/schedstat" 2>/dev/null || echo 0)"
  done
}
process_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

threads "$clock_pid" >"$work/clock.0"
threads "$xclock_pid" >"$work/xclock.0"
threads "$bare_pid" >"$work/bare.0"
clock_ticks0=$(process_ticks "$clock_pid")
xclock_ticks0=$(process_ticks "$xclock_pid")
bare_ticks0=$(process_ticks "$bare_pid")
t0=$(now_ns)
sleep "$seconds"
t1=$(now_ns)
threads "$clock_pid" >"$work/clock.1"
threads "$xclock_pid" >"$work/xclock.1"
threads "$bare_pid" >"$work/bare.1"
clock_ticks1=$(process_ticks "$clock_pid")
xclock_ticks1=$(process_ticks "$xclock_pid")
bare_ticks1=$(process_ticks "$bare_pid")
kill -0 "$clock_pid" 2>/dev/null || give_up "the clock ended during the measurement: $(cat "$work/clock.log")"

hz=$(getconf CLK_TCK)
interval=$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.3f", (b - a) / 1e9}')

# Per-thread deltas (threads that started during the interval count from
# zero): "tid comm switches ticks runtime_ns".
deltas() {
  awk 'NR == FNR {sw[$1] = $3; tk[$1] = $4; ns[$1] = $5; next}
    {print $1, $2, $3 - sw[$1], $4 - tk[$1], $5 - ns[$1]}' "$work/$1.0" "$work/$1.1"
}

# "cpu_stat_% cpu_schedstat_% wakeups_per_s rss_kib anonymous_kib"
summary() {
  local ticks0=$2 ticks1=$3 pid=$4
  deltas "$1" | awk -v s="$interval" -v hz="$hz" -v t0="$ticks0" -v t1="$ticks1" \
    -v rss="$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")" \
    -v anonymous="$(awk '/^Anonymous:/ {print $2}' "/proc/$pid/smaps_rollup")" '
    {switches += $3; ns += $5}
    END {printf "%.3f %.3f %.2f %d %d\n", 100 * (t1 - t0) / hz / s, 100 * ns / 1e9 / s, switches / s, rss, anonymous}'
}
read -r clock_cpu clock_cpu_ns clock_wakeups clock_rss clock_anonymous < <(summary clock "$clock_ticks0" "$clock_ticks1" "$clock_pid")
read -r xclock_cpu xclock_cpu_ns xclock_wakeups xclock_rss xclock_anonymous < <(summary xclock "$xclock_ticks0" "$xclock_ticks1" "$xclock_pid")
read -r bare_cpu bare_cpu_ns bare_wakeups bare_rss bare_anonymous < <(summary bare "$bare_ticks0" "$bare_ticks1" "$bare_pid")

load_after=$(cut -d' ' -f1-3 /proc/loadavg)
# A figure over xclock's, "-" when xclock's is 0 or missing.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b + 0 > 0 && a != "never") printf "%.2f", a / b; else print "-"}'; }
# A measure: the clock's, xclock's and the floor's figures, and the clock's
# and the floor's over xclock's.
row() {
  printf '  %-22s %10s %10s %8s %10s %8s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" "$4" "$(ratio "$4" "$3")"
}

echo "idle over ${interval} s under Xvfb (clock audio driver: $audio); load average $load_before before, $load_after after"
printf '  %-22s %10s %10s %8s %10s %8s\n' measure horavia xclock ratio floor ratio
row "cpu % (ticks)" "$clock_cpu" "$xclock_cpu" "$bare_cpu"
row "cpu % (run time)" "$clock_cpu_ns" "$xclock_cpu_ns" "$bare_cpu_ns"
row "wake-ups a second" "$clock_wakeups" "$xclock_wakeups" "$bare_wakeups"
row "resident KiB" "$clock_rss" "$xclock_rss" "$bare_rss"
row "  of it anonymous KiB" "$clock_anonymous" "$xclock_anonymous" "$bare_anonymous"
row "first frame ms" "$clock_first" "$xclock_first" "$bare_first"
echo "  horavia by thread:"
deltas clock | awk -v s="$interval" '{printf "    %-8s %-20s %8.2f wakeups/s %8.3f %% cpu\n", $1, $2, $3 / s, 100 * $5 / 1e9 / s}'

verdict() { awk -v v="$1" -v goal="$2" 'BEGIN {print (v != "never" && v <= goal) ? "met" : "missed"}'; }
echo "  goal: at most xclock's share of a core: $(verdict "$clock_cpu_ns" "$xclock_cpu_ns") ($clock_cpu_ns % against $xclock_cpu_ns %)"
echo "  goal: one wake-up a second: $(verdict "$clock_wakeups" 1.05) ($clock_wakeups)"
echo "  goal: at most 25 MB resident: $(verdict "$clock_rss" 25600) ($clock_rss KiB)"
echo "  goal: first frame within 120 ms: $(verdict "$clock_first" 120) ($clock_first ms)"
echo "  the toolkit alone (the floor): $(ratio "$bare_cpu_ns" "$xclock_cpu_ns")× xclock's share of a core, $bare_rss KiB resident"
exit 0
