#!/usr/bin/env bash
# The prize wheel: "开心转盘" in the pop-up menu gives the window the wheel's
# outline and shows the wheel; a double-click spins it: the start sound
# plays, and when the needle has slowed to a stop the end sound plays and
# the two end pictures appear, each vanishing after the plays its skin sets;
# "转盘归零" puts the needle back; "时钟" gives back the clock's outline and
# face; Escape ends the program with code 0 and no message box.
#
# Both shipped skins cut the clock and the wheel to the same circle, so the
# copy's default skin gets a wheel with its right-hand part cut away: the
# outline the X server holds then tells the two apart. This test looks at
# the wheel picture as drawn, so the copy writes no labels onto it and shows
# no result banner (prizes_test.sh looks at both).
#
# Sound is what SDL's disk driver recorded: signed 16-bit stereo at 44100 Hz,
# compared with the skin's MP3s decoded by lame.
#
# Usage: wheel_test.sh HORAVIA HORAVIA-PICTURE
set -u
. "$(dirname "$0")/lib.sh"
program="$1" picture_tool="$2"

e2e_begin
start_x
copy_program "$program"
skin="$program_dir/skins/蓝色"

# --- Reference pictures and colours.

# Decodes every frame of a skin picture into $work/NAME/.
decode() {
  mkdir -p "$work/$2"
  "$picture_tool" "$skin/$1" "$work/$2" >"$work/$2/frames.txt" || fail "cannot decode $1"
}
# The distinct colours of the frames of decoded pictures, "r g b" a line.
colours() {
  local folder
  for folder in "$@"; do
    convert "$work/$folder"/frame-*.png -alpha off -depth 8 -append -unique-colors txt:- |
      awk -F'[:,() ]+' 'NR > 1 {print $3, $4, $5}'
  done | sort -u
}

iconv -f CP936 -t UTF-8 "$skin/pf.ini" | sed -e 's/^写奖项=.*/写奖项=0/' -e 's/^显示结果秒数=.*/显示结果秒数=0/' |
  iconv -f UTF-8 -t CP936 >"$work/pf.ini" && mv "$work/pf.ini" "$skin/pf.ini"
decode 表盘.gif face
decode 转盘.gif wheel
# The test wheel: everything from x = 240 on is white, so cut away.
convert "$work/wheel/frame-0.png" -alpha off -fill white -draw "rectangle 240,0 299,299" "$skin/转盘.gif"
decode 转盘.gif cut_wheel
decode 选择针.gif needle
for hand in 时针 分针 秒针; do decode "$hand.gif" "hand_$hand"; done
decode 结束1.gif end1
decode 结束2.gif end2
pixels "$work/face/frame-0.png" >"$work/face.txt"
pixels "$work/cut_wheel/frame-0.png" >"$work/wheel.txt"

# Colours that only an end picture has: seeing them means it is shown.
colours face cut_wheel needle hand_时针 hand_分针 hand_秒针 >"$work/others.colours"
colours end1 >"$work/end1.all"
colours end2 >"$work/end2.all"
comm -23 "$work/end1.all" "$work/others.colours" | comm -23 - "$work/end2.all" >"$work/end1.colours"
comm -23 "$work/end2.all" "$work/others.colours" | comm -23 - "$work/end1.all" >"$work/end2.colours"

# Where the end pictures go and how often they play, from the skin's pf.ini.
pf() { iconv -f CP936 -t UTF-8 "$skin/pf.ini" | tr -d '\r' | awk -F= -v key="$1" '$1 == key {print $2}'; }
end1_plays=$(pf 结束1) end2_plays=$(pf 结束2)
end1_rect="$(identify -format '%w %h' "$work/end1/frame-0.png") $(pf 结束1x) $(pf 结束1y)"
end2_rect="$(identify -format '%w %h' "$work/end2/frame-0.png") $(pf 结束2x) $(pf 结束2y)"
# One play of an animation: the sum of its frame delays, in seconds.
play_time() { awk '/^frame/ {sub("delay=", "", $3); ms += $3} END {printf "%.3f\n", ms / 1000}' "$work/$1/frames.txt"; }
end1_play=$(play_time end1) end2_play=$(play_time end2)

# --- Start in clock mode.
start_program
find_main_window
read -r wx wy ww wh < <(geometry "$main_window")
window_shot() { shot "$1" "${ww}x${wh}+${wx}+${wy}"; }

# The fraction (0..1) of pixels of a window screenshot equal to a reference
# picture's ("x y r g b" file) within a small tolerance, over the ring of
# radii R1..R2 about the centre and left of column MAXX.
# Usage: match SHOT REFERENCE R1 R2 [MAXX]
match() {
  pixels "$1" | awk -v r1="$3" -v r2="$4" -v maxx="${5:-300}" '
    function abs(v) { return v < 0 ? -v : v }
    NR == FNR { ref[$1 " " $2] = $3 " " $4 " " $5; next }
    { dx = $1 + 0.5 - 150; dy = $2 + 0.5 - 150; r = sqrt(dx * dx + dy * dy) }
    r >= r1 && r <= r2 && $1 < maxx {
      n++; split(ref[$1 " " $2], c, " ")
      if (abs($3 - c[1]) + abs($4 - c[2]) + abs($5 - c[3]) <= 12) same++
    }
    END { printf "%.3f\n", n ? same / n : 0 }' "$2" -
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a >= b)}'; }
# The colour of one pixel of a screenshot, "r g b".
pixel_at() { convert "$1" -alpha off -depth 8 -crop "1x1+$2+$3" txt:- | awk -F'[:,() ]+' 'NR == 2 {print $3, $4, $5}'; }
reference_at() { awk -v x="$2" -v y="$3" '$1 == x && $2 == y {print $3, $4, $5}' "$1"; }

# The clock face covers the rim; the hands never reach it.
clock_shown() { window_shot "$work/clock.png"; at_least "$(match "$work/clock.png" "$work/face.txt" 128 146)" 0.95; }
wait_for clock_shown || fail "the clock face was not painted"
[ "$(shape_extents "$main_window")" = "300x300+0+0" ] ||
  fail "clock outline extents $(shape_extents "$main_window"), want 300x300+0+0"
[ "$(pixel_at "$work/clock.png" 270 150)" = "$(reference_at "$work/face.txt" 270 150)" ] ||
  fail "the face is not shown at 270,150: $(pixel_at "$work/clock.png" 270 150)"

# --- "开心转盘": the wheel's outline and the wheel, the needle upright.
open_menu $((wx + 150)) $((wy + 230))
choose_menu_item $MENU_WHEEL
wheel_outline() { [ "$(shape_extents "$main_window")" = "240x300+0+0" ]; }
wait_for wheel_outline || fail "wheel outline extents $(shape_extents "$main_window"), want 240x300+0+0"
# The wheel lies over the hands; the needle stays inside radius 62.
wheel_shown() { window_shot "$work/wheel.png"; at_least "$(match "$work/wheel.png" "$work/wheel.txt" 66 146 236)" 0.97; }
wait_for wheel_shown || fail "the wheel is not shown: $(match "$work/wheel.png" "$work/wheel.txt" 66 146 236) of it matches"
[ "$(pixel_at "$work/wheel.png" 270 150)" = "0 0 0" ] ||
  fail "outside the wheel's outline at 270,150 the window still shows $(pixel_at "$work/wheel.png" 270 150)"
cp "$work/wheel.png" "$work/wheel-before.png"

# --- A double-click spins.

# How many pixels of each end picture's own colours a window screenshot
# shows within that picture's place, "COUNT1 COUNT2"; every second pixel of
# every second row, which keeps a screenshot quick to read.
end_pixels() {
  convert "$1" -alpha off -depth 8 -sample 50% txt:- |
    awk -F'[:,() ]+' -v rect1="$end1_rect" -v rect2="$end2_rect" '
      FILENAME == ARGV[1] { own[1, $0]; next }
      FILENAME == ARGV[2] { own[2, $0]; next }
      FNR == 1 { split(rect1, r1, " "); split(rect2, r2, " "); next }
      {
        x = $1 * 2; y = $2 * 2; c = $3 " " $4 " " $5
        if (x >= r1[3] && x < r1[3] + r1[1] && y >= r1[4] && y < r1[4] + r1[2] && ((1, c) in own)) n1++
        if (x >= r2[3] && x < r2[3] + r2[1] && y >= r2[4] && y < r2[4] + r2[2] && ((2, c) in own)) n2++
      }
      END { print n1 + 0, n2 + 0 }' "$work/end1.colours" "$work/end2.colours" -
}

# Per end picture: the screenshot times (taken = when it was done, taking =
# when it began) of the first that saw it, the last that saw it, the last
# that missed it before it came, and the first of the run of screenshots
# without it that ends the watch. The confetti's last frames are nearly
# empty, so a picture counts as gone only after half a second without it.
start_heard="" end_heard="" end_begun=""
for n in 1 2; do
  printf -v "end${n}_seen" '%s' ""; printf -v "end${n}_last" '%s' ""; printf -v "end${n}_before" '%s' ""
  printf -v "end${n}_missing" '%s' ""; printf -v "end${n}_missing_taken" '%s' ""; printf -v "end${n}_gone" '%s' ""
done
watch_end_picture() {  # N COUNT TAKING TAKEN
  local n=$1 count=$2 taking=$3 taken=$4
  local seen="end${n}_seen" last="end${n}_last" before="end${n}_before"
  local missing="end${n}_missing" missing_taken="end${n}_missing_taken" gone="end${n}_gone"
  if [ "$count" -ge 30 ]; then
    [ -n "${!gone}" ] && fail "end picture $n came back after it vanished"
    [ -z "${!seen}" ] && printf -v "$seen" '%s' "$taken"
    printf -v "$last" '%s' "$taking"
    printf -v "$missing" '%s' ""
  elif [ -z "${!seen}" ]; then
    printf -v "$before" '%s' "$taking"
  elif [ "$count" -eq 0 ]; then
    if [ -z "${!missing}" ]; then printf -v "$missing" '%s' "$taking"; printf -v "$missing_taken" '%s' "$taken"; fi
    if [ -z "${!gone}" ] && at_least "$(seconds_between "${!missing}" "$taken")" 0.5; then
      printf -v "$gone" '%s' "${!missing_taken}"
    fi
  else
    printf -v "$missing" '%s' ""
  fi
}

audio_start=$(stat -c %s "$work/audio.raw")
audio_seen=$audio_start
clicked=$(now)
xdotool mousemove $((wx + 150)) $((wy + 230)) click --repeat 2 --delay 80 1

deadline=$(add_seconds "$clicked" 45)
polls=0
while before "$deadline"; do
  # Sound: what the driver wrote since the last look.
  looked_before=${looked:-$clicked}
  looked=$(now)
  size=$(stat -c %s "$work/audio.raw")
  if [ $((size - audio_seen)) -ge 4 ]; then
    loud=$(tail -c +$((audio_seen + 1)) "$work/audio.raw" | head -c $(((size - audio_seen) / 4 * 4)) | loud_blocks 300)
    audio_seen=$(((size - audio_seen) / 4 * 4 + audio_seen))
    if [ -n "$loud" ]; then
      if [ -z "$start_heard" ]; then
        start_heard=$(now)
      elif [ -z "$end_heard" ] && at_least "$(seconds_between "$start_heard" "$(now)")" 5; then
        end_heard=$(now)
        # The sound began after the look before this one found it silent.
        end_begun=$looked_before
      fi
    fi
  fi
  # Pictures.
  taking=$(now)
  window_shot "$work/poll.png"
  taken=$(now)
  polls=$((polls + 1))
  read -r count1 count2 < <(end_pixels "$work/poll.png")
  watch_end_picture 1 "$count1" "$taking" "$taken"
  watch_end_picture 2 "$count2" "$taking" "$taken"
  [ -n "$end1_gone" ] && [ -n "$end2_gone" ] && break
done
echo "watched the spin with $polls screenshots in $(seconds_between "$clicked" "$(now)") s"
[ -n "$start_heard" ] || fail "no start sound"
[ -n "$end_heard" ] || fail "no end sound"
for n in 1 2; do
  seen_var="end${n}_seen" gone_var="end${n}_gone"
  [ -n "${!seen_var}" ] || fail "end picture $n never appeared"
  [ -n "${!gone_var}" ] || fail "end picture $n did not vanish"
done

# The spin: a random d of 1..12 seconds at full speed, then slowing stages
# of 1 + 1 + d/3 + 4 seconds, and at most half a second more to land on the
# drawn angle: 7.3 to 22.5 s.
spin=$(seconds_between "$clicked" "$end_heard")
echo "spin: end sound heard ${spin} s after the double-click"
at_least "$spin" 7.2 || fail "the end sound came ${spin} s after the double-click, want the spin's 7 s at least"
at_least 26 "$spin" || fail "the end sound came only ${spin} s after the double-click, want at most 22.5 s"
# The end pictures come with the end sound, not before: no screenshot done
# before the sound could have begun saw them.
for n in 1 2; do
  seen_var="end${n}_seen"
  at_least "$(seconds_between "$end_begun" "${!seen_var}")" -0.5 ||
    fail "end picture $n showed $(seconds_between "$clicked" "${!seen_var}") s after the double-click, before the spin ended"
done

# Each end picture stays for its plays: at least from the first screenshot
# that saw it to the start of the last one that did, at most from the last
# screenshot that missed it to the first one that saw it gone. One play
# fewer must not pass; a busy machine only makes the plays longer, so the
# upper bound is loose, enough to tell the skin's count from the default 8.
for n in 1 2; do
  seen_var="end${n}_seen" gone_var="end${n}_gone" last_var="end${n}_last" before_var="end${n}_before"
  plays_var="end${n}_plays" play_var="end${n}_play"
  shortest=$(seconds_between "${!seen_var}" "${!last_var}")
  longest=$(seconds_between "${!before_var}" "${!gone_var}")
  want=$(awk -v p="${!plays_var}" -v t="${!play_var}" 'BEGIN {printf "%.2f\n", p * t}')
  echo "end picture $n: shown between ${shortest} s and ${longest} s; ${!plays_var} plays of ${!play_var} s make ${want} s"
  at_least "$longest" "$(awk -v w="$want" -v t="${!play_var}" 'BEGIN {print w - t / 2}')" ||
    fail "end picture $n vanished after at most ${longest} s, want ${want} s"
  at_least "$(awk -v w="$want" 'BEGIN {print w * 1.5}')" "$shortest" ||
    fail "end picture $n stayed at least ${shortest} s, want ${want} s"
done

# What was recorded: the start sound at once, the end sound when the spin ends, each
# as long as its file and at the default volume of 60 %.
sleep 1
tail -c +$((audio_start + 1)) "$work/audio.raw" | loud_runs 300 >"$work/runs.txt"
[ "$(wc -l <"$work/runs.txt")" -eq 2 ] || fail "want two sounds, heard runs (10 ms blocks): $(tr '\n' ';' <"$work/runs.txt")"
# The same measure over a skin sound decoded as the recording holds it.
reference_run() {
  lame --quiet --decode "$skin/$1" "$work/$1.wav" || fail "lame cannot decode $1"
  sox "$work/$1.wav" -t raw -r 44100 -c 2 -e signed -b 16 - | loud_runs 500
}
read -r start_from start_to start_peak < <(sed -n 1p "$work/runs.txt")
read -r end_from end_to end_peak < <(sed -n 2p "$work/runs.txt")
read -r ref_start_from ref_start_to ref_start_peak < <(reference_run 开始.mp3)
read -r ref_end_from ref_end_to ref_end_peak < <(reference_run 结束.mp3)
echo "recorded (10 ms blocks): start sound $start_from..$start_to peak $start_peak, end sound $end_from..$end_to peak $end_peak"
echo "files: 开始.mp3 $ref_start_from..$ref_start_to peak $ref_start_peak, 结束.mp3 $ref_end_from..$ref_end_to peak $ref_end_peak"
[ "$start_from" -le 100 ] || fail "the start sound began $((start_from * 10)) ms after the double-click"
length_matches() { [ $(($1 - $2 - ($3 - $4))) -ge -15 ] && [ $(($1 - $2 - ($3 - $4))) -le 15 ]; }
length_matches "$start_to" "$start_from" "$ref_start_to" "$ref_start_from" ||
  fail "the start sound lasted $((start_to - start_from)) blocks, 开始.mp3 $((ref_start_to - ref_start_from))"
length_matches "$end_to" "$end_from" "$ref_end_to" "$ref_end_from" ||
  fail "the end sound lasted $((end_to - end_from)) blocks, 结束.mp3 $((ref_end_to - ref_end_from))"
# The driver writes at about the pace of the clock (at most 1 % faster; a
# busy machine makes it slower): the recording spaces the two sounds as the
# spin's 7.3 to 22.5 s.
gap=$((end_from - start_from))
[ "$gap" -ge 720 ] && [ "$gap" -le 2400 ] || fail "the end sound began $((gap * 10)) ms of recording after the start sound"
for sound in start end; do
  peak_var="${sound}_peak" ref_var="ref_${sound}_peak"
  ratio=$(awk -v a="${!peak_var}" -v b="${!ref_var}" 'BEGIN {printf "%.3f\n", a / b}')
  at_least "$ratio" 0.55 && at_least 0.65 "$ratio" || fail "the $sound sound plays at $ratio of its level, want 0.6"
done

# --- "转盘归零": the needle is upright again, as before the spin.
open_menu $((wx + 150)) $((wy + 230))
choose_menu_item $MENU_RESET
pixels "$work/wheel-before.png" >"$work/wheel-before.txt"
wheel_reset() { window_shot "$work/reset.png"; at_least "$(match "$work/reset.png" "$work/wheel-before.txt" 0 146 236)" 0.99; }
wait_for wheel_reset || fail "the needle is not back where it started"

# --- "时钟": the clock's outline and face again.
open_menu $((wx + 150)) $((wy + 230))
choose_menu_item $MENU_CLOCK
clock_outline() { [ "$(shape_extents "$main_window")" = "300x300+0+0" ]; }
wait_for clock_outline || fail "clock outline extents $(shape_extents "$main_window"), want 300x300+0+0"
wait_for clock_shown || fail "the clock face is not back"
# Without the wheel, only the hands differ from the face between the hub and the rim.
at_least "$(match "$work/clock.png" "$work/face.txt" 30 146)" 0.90 ||
  fail "the wheel is still shown over the clock: $(match "$work/clock.png" "$work/face.txt" 30 146) matches the face"
[ "$(pixel_at "$work/clock.png" 270 150)" = "$(reference_at "$work/face.txt" 270 150)" ] ||
  fail "the face is not back at 270,150: $(pixel_at "$work/clock.png" 270 150)"

quit_with_escape
echo "PASS: wheel"
