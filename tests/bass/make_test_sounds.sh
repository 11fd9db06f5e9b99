#!/bin/sh
# Makes the MP3 files the audio library's tests play, from synthesised
# tones (sox) encoded with lame. Usage: make_test_sounds.sh OUTPUT_FOLDER
set -eu
out="$1"
mkdir -p "$out"
tmp="$out/tmp.wav"

# Two tones on exact 256-point FFT bins at 44100 Hz: left 1378.125 Hz
# (bin 8), right 689.0625 Hz (bin 4), each at half of full scale.
sox -n -r 44100 -b 16 -c 2 "$tmp" synth 0.5 sine 1378.125 sine 689.0625 gain -6.02
lame --quiet -b 128 "$tmp" "$out/tones.mp3"

# A different, mono sound at the output rate: a 441 Hz square wave.
sox -n -r 44100 -b 16 -c 1 "$tmp" synth 0.4 square 441 gain -10
lame --quiet -b 96 "$tmp" "$out/square.mp3"

# A mono stream at half the output rate, which the mixer must convert.
sox -n -r 22050 -b 16 -c 1 "$tmp" synth 0.5 sine 500 gain -6.02
lame --quiet -b 64 "$tmp" "$out/low_rate.mp3"

rm -f "$tmp"
