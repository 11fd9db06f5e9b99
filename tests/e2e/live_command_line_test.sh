#!/usr/bin/env bash
# The command line as streamdeck-ui and shell scripts call it, against the
# running program, with the port and token of the program's own "配置.ini":
# `horavia wheel` and `horavia spin` start a spin that is heard on the
# events socket and lands where the record and a screenshot say;
# `horavia state|clock|wheel|reset|chime on|chime off` do what they say;
# exit codes are 0 done, 2 for a usage error, 1 for a token the program
# refuses and when no program answers, with the reason on standard error.
#
# Usage: live_command_line_test.sh HORAVIA HORAVIA-SKIN
set -u
. "$(dirname "$0")/live_lib.sh"
program="$1" skin_tool="$2"

e2e_begin
start_x
copy_program "$program"
start_controlled_program

client() { "$program_dir/$program_name" "$@" 2>"$work/client.err"; }
client wheel || fail "horavia wheel failed: $(cat "$work/client.err")"
out=$(client spin) || fail "horavia spin failed: $(cat "$work/client.err")"
[ "$out" = '{"position":0,"spin":1}' ] || fail "horavia spin printed: $out"
check_spin 1 "command line"
state=$(client state) || fail "horavia state failed: $(cat "$work/client.err")"
[ "$(json_field "$state" mode)" = wheel ] && [ "$(json_field "$state" spinning)" = false ] ||
  fail "horavia state printed: $state"
client clock && [ "$(json_field "$(client state)" mode)" = clock ] || fail "horavia clock did not show the clock"
client wheel && [ "$(json_field "$(client state)" mode)" = wheel ] || fail "horavia wheel did not show the wheel"
client chime on && [ "$(ini_value 是否整点报时)" = 1 ] || fail "horavia chime on did not write 是否整点报时=1"
client chime off && [ "$(ini_value 是否整点报时)" = 0 ] || fail "horavia chime off did not write 是否整点报时=0"
client reset || fail "horavia reset failed: $(cat "$work/client.err")"
wait_for -t 5 shows_wheel_at 0 || fail "horavia reset left the needle elsewhere ($last_difference pixels differ)"
code=0; client chime maybe || code=$?
[ "$code" -eq 2 ] && grep -q '^usage: horavia' "$work/client.err" || fail "horavia chime maybe: exit $code, want 2"
code=0; client spin twice || code=$?
[ "$code" -eq 2 ] || fail "horavia spin twice: exit $code, want 2"

# A token that is not the program's is refused (401): exit 1 with the reason.
cp "$program_dir/配置.ini" "$work/配置.ini"
iconv -f CP936 -t UTF-8 "$work/配置.ini" | sed "s/^控制令牌=.*/控制令牌=00000000000000000000000000000000\r/" |
  iconv -f UTF-8 -t CP936 >"$program_dir/配置.ini"
code=0; client state >/dev/null || code=$?
[ "$code" -eq 1 ] && grep -q 'refused (401)' "$work/client.err" ||
  fail "a wrong token: exit $code, want 1 with the refusal: $(cat "$work/client.err")"
cp "$work/配置.ini" "$program_dir/配置.ini"

quit_with_escape
code=0; client state >/dev/null || code=$?
[ "$code" -eq 1 ] && grep -q 'no instance answers' "$work/client.err" ||
  fail "with no program running: exit $code, want 1 with the reason: $(cat "$work/client.err")"
echo "PASS: live command line"
