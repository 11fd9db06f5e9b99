#!/usr/bin/env bash
# The control interface as a chat bot uses it, on the real program: curl
# shows the wheel and asks for a spin, and a WebSocket client (Python)
# hears modeChanged, spinStarted, then spinEnded, whose label is the one
# the record file "转盘记录.csv" holds and whose angle is where the needle
# stands in a screenshot of the window; the state and the history then say
# the same. (live_command_line_test.sh does the same from the command line.)
#
# Usage: live_control_test.sh HORAVIA HORAVIA-SKIN
set -u
. "$(dirname "$0")/live_lib.sh"
program="$1" skin_tool="$2"
command -v curl >/dev/null || fail "curl is missing"

e2e_begin
start_x
copy_program "$program"
start_controlled_program

# --- curl: the wheel, then a spin from a chat bot.
[ "$(json_field "$(api -d '{"mode":"wheel"}' "$base/api/v1/mode")" mode)" = wheel ] || fail "the mode did not change"
wait_for events_seen modeChanged 1 || fail "no modeChanged event"
answer=$(api -w ' %{http_code}' -d '{"source":"chat"}' "$base/api/v1/spin")
[ "$answer" = '{"position":0,"spin":1} 202' ] || fail "POST /api/v1/spin answered: $answer"
check_spin 1 chat
ended=$(grep '"event":"spinEnded"' "$work/events.txt")
last=$(json_field "$(api "$base/api/v1/state")" lastResult)
[ "$(json_field "$last" label)" = "$(json_field "$ended" label)" ] || fail "the state's last result is $last"
history=$(api "$base/api/v1/history?limit=5")
"$PYTHON" -c 'import json, sys; s = json.loads(sys.argv[1])["spins"]; sys.exit(not (len(s) == 1 and s[0]["source"] == "chat"))' \
  "$history" || fail "the history says: $history"
# Without the token: refused, and nothing changes.
[ "$(curl -s -o /dev/null -w '%{http_code}' -X POST "$base/api/v1/spin")" = 401 ] || fail "a spin without the token"
[ "$(api -s -o /dev/null -w '%{http_code}' -H "Origin: http://example.com" -X POST "$base/api/v1/spin")" = 403 ] ||
  fail "a spin from a foreign web page"

quit_with_escape
echo "PASS: live control"
