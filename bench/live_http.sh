#!/usr/bin/env bash
# The control interface under load, in the real program while its clock
# runs: GET /api/v1/state from 50 loopback connections (wrk, two threads)
# to `horavia --overlay-only` (its windows offscreen, its clock ticking),
# then from 32; beside it the same 50-connection load on the interface over
# an application in memory (what the HTTP library and the checks cost
# without the program) and on a trivial QTcpServer that answers every
# request with the same bytes, the floor (what the event loop and the
# loopback cost without any HTTP library). The interface keeps at most 32
# connections open, so of 50 the other 18 are closed as they connect (wrk
# counts them as socket errors and connects again).
#
# While the program is loaded its overlay is watched (bench/live/second_hand.py):
# one frame a second while only the clock moves, so a gap of two seconds or
# more between frames is a second the second hand missed. Prints requests a
# second and the 99th-percentile latency of each load, the second hand's
# record, the load average before and after, and whether the program meets
# the goal (5,000 requests a second, p99 under 5 ms). A measurement: exits
# 0 either way.
#
#   bench/live_http.sh [BUILD-FOLDER] [SECONDS]    (defaults: build-bench, 10)
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
seconds=${2:-10}
python=/usr/bin/python3

work=$(mktemp -d)
server_pid="" program_pid="" watch_pid=""
cleanup() {
  exec 3>&- 4>&- 2>/dev/null
  for pid in $watch_pid $program_pid $server_pid; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
give_up() {
  echo "live_http: not measured: $*"
  exit 0
}
wait_for() {  # wait_for COMMAND...: every 0.05 s for at most ten seconds
  local _
  for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}

command -v wrk >/dev/null || give_up "wrk is missing (Debian package wrk)"
"$python" -c 'import websockets' 2>/dev/null || give_up "python3-websockets is missing"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORAVIA_BENCH=ON -DHORAVIA_TESTS=OFF >/dev/null ||
    give_up "cannot configure $build"
fi
cmake --build "$build" --target horavia live_bench_server >/dev/null || give_up "cannot build in $build"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

# The interface in memory and the floor.
mkfifo "$work/server-control"
"$build/bench/live/live_bench_server" <"$work/server-control" >"$work/server.out" &
server_pid=$!
exec 3>"$work/server-control"
wait_for grep -q '^floor ' "$work/server.out" || give_up "live_bench_server did not start"
read -r _ memory_port memory_token < <(grep '^interface ' "$work/server.out")
read -r _ floor_port < <(grep '^floor ' "$work/server.out")

# The program, from a fresh copy of its folder, with the interface on at a
# free port; it makes its token.
cp -r "$build/program" "$work/program"
rm -f "$work/program/bass.dll" "$work/program/配置.ini"
port=$("$python" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf '[配置]\r\n控制端口=%s\r\n' "$port" | iconv -f UTF-8 -t CP936 >"$work/program/配置.ini"
(cd "$work/program" && SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  exec ./horavia --overlay-only >"$work/program.out" 2>"$work/program.err") &
program_pid=$!
wait_for grep -q '^overlay: ' "$work/program.out" || give_up "the program did not start: $(cat "$work/program.err")"
token=$(sed -n 's/^overlay: .*token=//p' "$work/program.out")

# Requests a second and the 99th percentile, in milliseconds.
measure() {  # measure NAME CONNECTIONS URL [HEADER]
  local out rate p99 errors
  out=$(wrk -t2 -c"$2" -d"${seconds}s" --latency ${4:+-H "$4"} "$3")
  rate=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
  p99=$(awk '$1 == "99%" {v=$2; if (v ~ /us$/) {sub(/us$/,"",v); v/=1000} else if (v ~ /ms$/) {sub(/ms$/,"",v)} else if (v ~ /s$/) {sub(/s$/,"",v); v*=1000} print v}' <<<"$out")
  errors=$(awk '/Non-2xx|Socket errors/ {print}' <<<"$out")
  printf '%-10s %2d connections %8.0f requests/s   p99 %7.2f ms%s\n' "$1" "$2" "$rate" "$p99" "${errors:+  ($errors)}"
  echo "$rate $p99" >"$work/result-$1"  # the first run of a name is judged
}

mkfifo "$work/watch-control"
"$python" "$top/bench/live/second_hand.py" "ws://127.0.0.1:$port/api/v1/events?token=$token&frames=1" \
  <"$work/watch-control" >"$work/watch.out" 2>"$work/watch.err" &
watch_pid=$!
exec 4>"$work/watch-control"
wait_for grep -qx open "$work/watch.out" || give_up "the overlay's socket did not open: $(cat "$work/watch.err")"
measure program 50 "http://127.0.0.1:$port/api/v1/state" "Authorization: Bearer $token"
measure program32 32 "http://127.0.0.1:$port/api/v1/state" "Authorization: Bearer $token"
echo stop >&4
wait "$watch_pid"
watch_pid=""
echo "second hand under the load: $(grep '^frames' "$work/watch.out")"

measure memory 50 "http://127.0.0.1:$memory_port/api/v1/state" "Authorization: Bearer $memory_token"
measure floor 50 "http://127.0.0.1:$floor_port/"
echo stop >&3
wait "$server_pid"
server_pid=""
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

read -r rate p99 <"$work/result-program"
if awk -v r="$rate" -v p="$p99" 'BEGIN { exit !(r >= 5000 && p < 5) }'; then
  echo "goal met: at least 5000 requests/s and p99 under 5 ms"
else
  echo "goal missed: wanted at least 5000 requests/s and p99 under 5 ms"
fi
