# shellcheck shell=bash
# Shared by the control interface's end-to-end tests, on top of lib.sh: the
# program started with its control interface on, the events socket heard
# by a Python WebSocket client, and a spin checked three ways (its events,
# its record, the needle in a screenshot).
#
# Source it, then call start_controlled_program after e2e_begin, start_x and
# copy_program. Variables it sets besides lib.sh's: skin (the test skin's
# folder), record, port, token, base (the interface's address), wx wy ww wh
# (the window's place).
#
# Index
#   [helpers]   free_port, start_events, events_seen, json_field, api
#   [program]   start_controlled_program
#   [spins]     record_line, check_spin
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# [helpers] --------------------------------------------------------------------

# Python with the Debian packages the scripts need (python3-websockets),
# whatever python3 comes first on the path.
PYTHON=/usr/bin/python3
E2E_DIR="$(dirname "${BASH_SOURCE[0]}")"

# A TCP port of the loopback that nothing listens on now.
free_port() {
  "$PYTHON" -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Opens the events socket at PORT with TOKEN in the background; every text
# message it receives becomes a line of $work/events.txt. Waits until it is
# open.
# Usage: start_events PORT TOKEN
start_events() {
  "$PYTHON" "$E2E_DIR/events_client.py" "ws://127.0.0.1:$1/api/v1/events?token=$2" >"$work/events.txt" \
    2>"$work/events.err" &
  wait_for grep -qx open "$work/events.txt" || fail "the events socket did not open: $(cat "$work/events.err")"
}

# Succeeds when at least COUNT events named NAME have arrived.
# Usage: events_seen NAME COUNT
events_seen() { [ "$(grep -c "\"event\":\"$1\"" "$work/events.txt")" -ge "$2" ]; }

# Prints FIELD of a JSON object: a text as it stands, anything else as JSON
# (true, null, an object).
# Usage: json_field JSON FIELD
json_field() {
  "$PYTHON" -c '
import json, sys
value = json.loads(sys.argv[1])[sys.argv[2]]
print(value if isinstance(value, str) else json.dumps(value, ensure_ascii=False, separators=(",", ":")))' "$1" "$2"
}

token_written() { [ -n "$(ini_value 控制令牌)" ]; }

# curl with the program's token.
api() { curl -sS -H "Authorization: Bearer $token" "$@"; }

# [program] --------------------------------------------------------------------

# Starts the copied program with the control interface on at a free port,
# its token made by the program, in a copy of the default skin ("测试")
# without end pictures and without the result's banner, so that the wheel
# shows bare the moment a spin ends; opens the events socket.
start_controlled_program() {
  skin="$program_dir/skins/测试"
  cp -r "$program_dir/skins/蓝色" "$skin"
  rm -f "$skin/结束1.gif" "$skin/结束2.gif"
  { iconv -f CP936 -t UTF-8 "$skin/pf.ini" | tr -d '\r' | grep -v '^显示结果秒数='; echo "显示结果秒数=0"; } |
    sed 's/$/\r/' | iconv -f UTF-8 -t CP936 >"$work/pf.ini" && mv "$work/pf.ini" "$skin/pf.ini"
  record="$program_dir/转盘记录.csv"
  port=$(free_port)
  write_settings "皮肤文件名=测试" "控制端口=$port"  # no token yet: the program makes one
  start_program
  find_main_window
  read -r wx wy ww wh < <(geometry "$main_window")
  wait_for token_written || fail "no 控制令牌 was written"
  token=$(ini_value 控制令牌)
  [[ "$token" =~ ^[0-9a-f]{32}$ ]] || fail "控制令牌 is \"$token\", want 32 hexadecimal characters"
  base="http://127.0.0.1:$port"
  wait_for api "$base/api/v1/state" || fail "the interface does not answer at $base"
  start_events "$port" "$token"
}

# [spins] ----------------------------------------------------------------------

# The Nth record line.
record_line() { tail -n +2 "$record" | sed -n "${1}p"; }
# Checks spin N: its events in order with SOURCE, its record, the needle.
# Usage: check_spin N SOURCE
check_spin() {
  # A spin takes up to about 22 s; a loaded machine runs its timers late.
  wait_for -t 90 events_seen spinEnded "$1" || fail "no spinEnded for spin $1: $(cat "$work/events.txt")"
  local started ended label angle segment line started_at ended_at
  started=$(grep '"event":"spinStarted"' "$work/events.txt" | sed -n "${1}p")
  ended=$(grep '"event":"spinEnded"' "$work/events.txt" | sed -n "${1}p")
  [ "$(json_field "$started" spin)" = "$1" ] && [ "$(json_field "$started" source)" = "$2" ] ||
    fail "spinStarted for spin $1 from $2, have: $started"
  [ "$(json_field "$ended" spin)" = "$1" ] || fail "spinEnded for spin $1, have: $ended"
  started_at=$(grep -nF "$started" "$work/events.txt" | cut -d: -f1)
  ended_at=$(grep -nF "$ended" "$work/events.txt" | cut -d: -f1)
  [ "$started_at" -lt "$ended_at" ] || fail "spinEnded came before spinStarted: $(cat "$work/events.txt")"
  label=$(json_field "$ended" label) angle=$(json_field "$ended" angle) segment=$(json_field "$ended" segment)
  # time,skin,segment,label,angle,source; none of these needs quotes.
  line=$(record_line "$1")
  IFS=, read -r _ record_skin record_segment record_label record_angle record_source <<<"$line"
  [ "$record_skin,$record_segment,$record_label,$record_angle,$record_source" = "测试,$segment,$label,$angle,$2" ] ||
    fail "spin $1 ended on $segment \"$label\" at $angle°, the record says: $line"
  [ -n "$label" ] || fail "spin $1 won no prize"
  wait_for -t 5 shows_wheel_at "$angle" ||
    fail "spin $1: the window differs from the preview at $angle° in $last_difference pixels"
  echo "spin $1 ($2): \"$label\" at $angle°, as recorded and as the needle stands"
}
