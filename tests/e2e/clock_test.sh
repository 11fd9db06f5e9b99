#!/usr/bin/env bash
# The clock from a first start: the program writes its audio library beside
# itself (and no settings file), the hands show the time it runs at, and a
# minute later the clock has corrected itself and still shows the time; the
# pop-up menu's chime item writes its setting at once; Escape ends the
# program with code 0 and no message box, writing nothing more.
#
# The hands are found in screenshots by difference from the clock face,
# decoded from the skin by the picture tool: along a ring around the centre,
# the pixels that are not the face's must lie at the angles the time gives,
# and enough of them must lie there.
#
# Usage: clock_test.sh HORAVIA LIBBASS HORAVIA-PICTURE
set -u
. "$(dirname "$0")/lib.sh"
program="$1" library="$2" picture_tool="$3"

e2e_begin
start_x
copy_program "$program"
[ ! -e "$program_dir/bass.dll" ] || fail "the copy already holds bass.dll"

"$picture_tool" --first "$program_dir/skins/蓝色/表盘.gif" "$work" >/dev/null || fail "cannot decode the clock face"
pixels "$work/frame-0.png" >"$work/face.txt"

# The hour and minute hands move only when the clock corrects itself, once a
# minute from its start; start early enough in a minute that the first
# correction and the first check fall in the same minute.
second=$(date +%-S)
if [ "$second" -gt 45 ]; then sleep $((61 - second)); fi
launched=$(now)
start_program
find_main_window
appeared=$(now)
read -r wx wy ww wh < <(geometry "$main_window")

# --- The audio library, written at start-up: the very bytes the build made.
wait_for test -s "$program_dir/bass.dll" || fail "bass.dll was not written"
cmp -s "$library" "$program_dir/bass.dll" || fail "bass.dll differs from $library"

# --- The hands.

# Local hour, minute and second of an epoch time.
hms() { date -d "@${1%.*}" '+%-H %-M %-S'; }

# Checks one screenshot of the clock against the hands expected for the
# hour and minute of HANDS_AT (an epoch time at which the clock last set
# them) and a second hand that moved with the time between BEFORE and AFTER.
# Prints what it counted. Usage: check_hands SHOT HANDS_AT BEFORE AFTER
check_hands() {
  local h m _ s0
  read -r h m _ < <(hms "$2")
  read -r _ _ s0 < <(hms "$3")
  local hour=$(((h * 60 + m) / 2 % 360)) minute=$((m * 6))
  # The second hand steps each second from where the correction put it: it
  # can lag a second behind the time, plus the steps a busy machine delays.
  local span=$(( ${4%.*} - ${3%.*} + 3 ))
  local second_from=$(( (s0 * 6 - 18 + 360) % 360 )) second_span=$((span * 6))
  pixels "$1" | awk -v hour="$hour" -v minute="$minute" -v sfrom="$second_from" -v sspan="$second_span" '
    function abs(v) { return v < 0 ? -v : v }
    function reduce(a) { a -= 360 * int(a / 360); return a < 0 ? a + 360 : a }
    # Within `margin` degrees of the angle `at`.
    function near(a, at, margin,   d) { d = reduce(a - at); return d <= margin || d >= 360 - margin }
    # Within the arc from `from` over `span` degrees, widened by `margin`.
    function on_arc(a, from, span, margin) { return reduce(a - from + margin) <= span + 2 * margin }
    NR == FNR { face[$1 " " $2] = $3 " " $4 " " $5; next }
    {
      split(face[$1 " " $2], f, " ")
      if (abs($3 - f[1]) + abs($4 - f[2]) + abs($5 - f[3]) < 60) next
      dx = $1 + 0.5 - 150; dy = $2 + 0.5 - 150; r = sqrt(dx * dx + dy * dy)
      a = reduce(atan2(dx, -dy) * 57.29577951308232)
      coral = $3 > 170 && $3 - $4 > 70 && $3 - $5 > 90
      # The second hand is the only coral on the dial; beyond the hour hand
      # only the minute and second hands reach.
      if (r >= 70 && r <= 120 && coral) {
        if (on_arc(a, sfrom, sspan, 3)) second_on++; else second_off++
      }
      if (!coral && r >= 80 && r <= 106) {
        if (near(a, minute, 4.5)) minute_on++
        else if (!on_arc(a, sfrom, sspan, 8)) minute_off++
      }
      if (!coral && r >= 44 && r <= 64) {
        if (near(a, hour, 12)) hour_on++
        else if (!near(a, minute, 10) && !on_arc(a, sfrom, sspan, 10)) hour_off++
      }
    }
    END {
      printf "hour %d° (%d on, %d off), minute %d° (%d on, %d off), second %d..%d° (%d on, %d off)\n",
        hour, hour_on, hour_off, minute, minute_on, minute_off, sfrom, (sfrom + sspan) % 360, second_on, second_off
      exit !(hour_on >= 60 && hour_off <= 4 && minute_on >= 80 && minute_off <= 4 && second_on >= 15 && second_off <= 2)
    }' "$work/face.txt" -
}

# Takes a screenshot of the clock and checks it; HANDS_FROM is the earliest
# time the clock can have set its hour and minute hands. Skips the hour and
# minute when a minute began between then and the screenshot.
# Usage: check_clock NAME HANDS_FROM
check_clock() {
  local before after result
  before=$(now)
  shot "$work/$1.png" "${ww}x${wh}+${wx}+${wy}"
  after=$(now)
  if [ "$(hms "$2" | cut -d' ' -f1,2)" != "$(hms "$after" | cut -d' ' -f1,2)" ]; then
    echo "SKIP: $1: a minute began while the clock was being checked"
    return
  fi
  result=$(check_hands "$work/$1.png" "$2" "$before" "$after") ||
    fail "$1: the hands are not where the time puts them: $result"
  echo "$1: $result"
}

# The first frame is painted when the rim shows the face (the hands do not
# reach it).
face_painted() {
  shot "$work/first.png" "${ww}x${wh}+${wx}+${wy}"
  pixels "$work/first.png" | awk '
    NR == FNR { face[$1 " " $2] = $3 " " $4 " " $5; next }
    { dx = $1 + 0.5 - 150; dy = $2 + 0.5 - 150; r = sqrt(dx * dx + dy * dy) }
    r >= 128 && r <= 146 { n++; if (face[$1 " " $2] == $3 " " $4 " " $5) same++ }
    END { exit !(n > 0 && same >= 0.95 * n) }' "$work/face.txt" -
}
wait_for face_painted || fail "the clock face was not painted"
check_clock start "$launched"
# Settings are written when they change, never merely read.
[ ! -e "$program_dir/配置.ini" ] || fail "start-up wrote 配置.ini: $(iconv -f CP936 -t UTF-8 "$program_dir/配置.ini")"

# --- The chime item of the menu toggles and writes its setting at once.
chime_is() { [ "$(ini_value 是否整点报时)" = "$1" ]; }
open_menu $((wx + 150)) $((wy + 100))
choose_menu_item $MENU_CHIME
wait_for chime_is 1 || fail "chime on: 是否整点报时 is '$(ini_value 是否整点报时)', want 1"
open_menu $((wx + 150)) $((wy + 100))
choose_menu_item $MENU_CHIME
wait_for chime_is 0 || fail "chime off: 是否整点报时 is '$(ini_value 是否整点报时)', want 0"

# --- A minute after start-up the clock has corrected itself: the second
# hand's minute-long turn has ended and a new one began from the real time.
corrected=$(add_seconds "$appeared" 61.5)
while before "$corrected"; do sleep 0.5; done
check_clock corrected "$(add_seconds "$launched" 60)"

# Nothing is written at exit.
settings_before=$(md5sum <"$program_dir/配置.ini")
quit_with_escape
[ "$(md5sum <"$program_dir/配置.ini")" = "$settings_before" ] || fail "the program rewrote 配置.ini at exit"
echo "PASS: clock"
