#!/usr/bin/env bash
# GET /api/v1/state from 50 loopback connections (wrk, two threads), beside
# the same load on a trivial QTcpServer that answers every request with the
# same bytes, the floor. The interface keeps at most 32 connections open, so
# of 50 the other 18 are closed as they connect (wrk counts them as socket
# errors and connects again); the interface is measured once more from 32
# connections, all of which it serves. Both serve from one process and one event loop, on
# which a timer stands in for the clock's second hand: its lateness says
# whether the hand would have missed a second under the load. Prints
# requests a second and the 99th-percentile latency of each, and says
# whether the interface meets its goal (5,000 requests a second, p99 under
# 5 ms). A measurement: exits 0 either way.
#
#   bench/live_http.sh [BUILD-FOLDER] [SECONDS]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-bench}
seconds=${2:-10}
server=$(find "$build/bench" -type f -name live_bench_server -perm -u+x | head -n 1)
if [ -z "$server" ]; then
  echo "live_http.sh: live_bench_server is not built in $build" >&2
  exit 1
fi
command -v wrk >/dev/null || { echo "live_http.sh: wrk is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'exec 3>&- 2>/dev/null || true; rm -rf "$work"' EXIT
mkfifo "$work/control"
"$server" <"$work/control" >"$work/server.out" &
pid=$!
exec 3>"$work/control"
for _ in $(seq 100); do
  [ "$(wc -l <"$work/server.out")" -ge 2 ] && break
  sleep 0.05
done
read -r _ port token < <(grep '^interface ' "$work/server.out")
read -r _ floor < <(grep '^floor ' "$work/server.out")

# Requests a second and the 99th percentile, in milliseconds.
measure() {  # measure NAME CONNECTIONS URL [HEADER]
  local out rate p99 errors
  out=$(wrk -t2 -c"$2" -d"${seconds}s" --latency ${4:+-H "$4"} "$3")
  rate=$(awk '/^Requests\/sec:/ {print $2}' <<<"$out")
  p99=$(awk '$1 == "99%" {v=$2; if (v ~ /us$/) {sub(/us$/,"",v); v/=1000} else if (v ~ /ms$/) {sub(/ms$/,"",v)} else if (v ~ /s$/) {sub(/s$/,"",v); v*=1000} print v}' <<<"$out")
  errors=$(awk '/Non-2xx|Socket errors/ {print}' <<<"$out")
  printf '%-10s %2d connections %8.0f requests/s   p99 %7.2f ms%s\n' "$1" "$2" "$rate" "$p99" "${errors:+  ($errors)}"
  echo "$rate $p99" >"$work/$1"  # the first run of a name is judged
}

measure interface 50 "http://127.0.0.1:$port/api/v1/state" "Authorization: Bearer $token"
measure interface32 32 "http://127.0.0.1:$port/api/v1/state" "Authorization: Bearer $token"
measure floor 50 "http://127.0.0.1:$floor/"

echo stop >&3
exec 3>&-
wait "$pid"
grep '^clock ' "$work/server.out"
read -r rate p99 <"$work/interface"
if awk -v r="$rate" -v p="$p99" 'BEGIN { exit !(r >= 5000 && p < 5) }'; then
  echo "goal met: at least 5000 requests/s and p99 under 5 ms"
else
  echo "goal missed: wanted at least 5000 requests/s and p99 under 5 ms"
fi
