#!/bin/sh
# Makes the program's sounds from synthesised tones (sox) encoded with lame:
# the hourly chime beside the program and the start and end sounds of each
# skin. Usage: make_sounds.sh PROGRAM_FOLDER
#
# Every sound is a sum of sine partials, each struck and dying away
# exponentially, mixed and brought to -1 dB peak. sox runs repeatably (-R),
# so the same bytes come out of every build.
set -eu
program="$1"
work="$program/.sounds"
rm -rf "$work"
mkdir -p "$work" "$program/skins/蓝色" "$program/skins/喜庆"
n=0

# calc EXPRESSION: floating-point arithmetic.
calc() { awk "BEGIN { print $1 }"; }

# part START DECAY FREQUENCY AMPLITUDE: one struck partial that starts at
# START seconds and falls by 60 dB in DECAY seconds (sox's logarithmic fade
# falls 100 dB over its length, so the tone lasts 5/3 DECAY). A FREQUENCY of
# A/B sweeps from A to B.
part() {
  n=$((n + 1))
  length=$(calc "$2 * 5 / 3")
  sox -R -n -r 44100 -c 1 -b 16 "$work/p$n.wav" \
    synth "$length" sine "$3" fade l 0.004 "$length" "$length" vol "$4" pad "$1" 0
}

# noise START LENGTH LOW HIGH AMPLITUDE RISE: band-limited noise that swells
# for RISE seconds, then dies away.
noise() {
  n=$((n + 1))
  sox -R -n -r 44100 -c 1 -b 16 "$work/p$n.wav" \
    synth "$2" pinknoise sinc "$3-$4" fade h "$6" "$2" "$(calc "$2 - $6")" vol "$5" pad "$1" 0
}

# finish OUTPUT SECONDS [EFFECT...]: mixes the parts made since the last
# finish, adds the effects, makes it exactly SECONDS long with a short fade
# at the end, normalises and encodes.
finish() {
  out="$1"
  length="$2"
  shift 2
  sox -R -m "$work"/p*.wav "$work/sum.wav"
  # -V1: reverb leaves the length open, and pad warns about it needlessly.
  sox -V1 -R "$work/sum.wav" "$work/mix.wav" "$@" pad 0 "$length" trim 0 "$length" \
    fade t 0 "$length" 0.15 gain -n -1
  lame --quiet --noreplaygain -m m -b 128 "$work/mix.wav" "$out"
  rm -f "$work"/*.wav
  n=0
}

# bell START DECAY FREQUENCY AMPLITUDE: a bell's partials over its strike
# note: hum an octave down (falling 60 dB in DECAY seconds), prime, minor
# third, fifth, nominal and two bright ones that fade first.
bell() {
  f="$3"
  part "$1" "$2" "$(calc "$f * 0.5")" "$(calc "$4 * 0.45")"
  part "$1" "$(calc "$2 * 0.85")" "$f" "$4"
  part "$1" "$(calc "$2 * 0.6")" "$(calc "$f * 1.2")" "$(calc "$4 * 0.4")"
  part "$1" "$(calc "$2 * 0.5")" "$(calc "$f * 1.5")" "$(calc "$4 * 0.25")"
  part "$1" "$(calc "$2 * 0.45")" "$(calc "$f * 2.0")" "$(calc "$4 * 0.5")"
  part "$1" "$(calc "$2 * 0.25")" "$(calc "$f * 2.76")" "$(calc "$4 * 0.2")"
  part "$1" "$(calc "$2 * 0.12")" "$(calc "$f * 4.07")" "$(calc "$4 * 0.12")"
}

# The hourly chime: two strokes of a warm bell, E5 then C5, ringing out
# for about four seconds.
bell 0 4.5 659.25 0.9
bell 0.75 4.5 523.25 1.0
finish "$program/整点报时.mp3" 4.2 reverb 35 50 80

# "蓝色", start: a quick rising arpeggio of soft mallet notes over a swell
# of air.
t=0
for f in 523.25 659.25 783.99 1046.5 1318.5 1568.0; do
  part "$t" 0.45 "$f" 0.8
  part "$t" 0.15 "$(calc "$f * 4")" 0.12
  t=$(calc "$t + 0.075")
done
noise 0 0.9 1200 5000 0.25 0.5
finish "$program/skins/蓝色/开始.mp3" 1.2 reverb 20

# "蓝色", end: a sparkle and a bright major chord rung like small bells.
part 0 0.35 2093.0 0.3
part 0.06 0.35 2637.0 0.3
bell 0.12 1.8 1046.5 0.7
bell 0.12 1.8 1318.5 0.55
bell 0.12 1.8 1568.0 0.5
finish "$program/skins/蓝色/结束.mp3" 2.2 reverb 30

# "喜庆", start: a drum roll that quickens, with a cymbal rising under it.
for t in 0 0.16 0.30 0.42 0.52 0.61 0.69 0.76 0.82 0.87 0.92; do
  part "$t" 0.25 150/70 1.0
  noise "$t" 0.06 300 2500 0.5 0.005
done
noise 0.3 0.9 5000 12000 0.4 0.6
finish "$program/skins/喜庆/开始.mp3" 1.3 reverb 25

# "喜庆", end: a gong struck once, with a cymbal crash.
for partial in "98 1.0 3.0" "146.5 0.7 2.6" "197 0.55 2.4" "246 0.4 2.0" "302 0.35 1.8" "361 0.3 1.5" \
  "431 0.2 1.2" "587 0.12 0.9"; do
  set -- $partial
  part 0 "$3" "$1" "$2"
done
noise 0 1.4 4000 14000 0.5 0.01
finish "$program/skins/喜庆/结束.mp3" 2.6 reverb 40

rm -rf "$work"
