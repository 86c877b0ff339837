#!/bin/bash
# Synthesise Glouton's sound effects with sox (no samples, no noise).
#
#   bash tools/make-sounds.sh OUTDIR
#
# Writes into OUTDIR (created if needed), all 22050 Hz, 16-bit, mono:
#   bloop.wav     bonus eaten       quick rising bloop
#   short11.wav   level cleared     bright arpeggio ending on a chord
#   short34.wav   level start       little "ready" jingle
#   silly.wav     life lost         descending wah-wah slide
#   Halleluj.wav  game over         four sung chords, Hal-le-lu-jah
# Quiet on success; exits non-zero as soon as a sox command fails.

set -eu

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi
out=$1
mkdir -p "$out"

command -v sox >/dev/null 2>&1 || { echo "$0: sox not found" >&2; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/glouton-snd.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

RATE=22050
# -V1: only real errors are printed; -R -D: no dither, same bytes every run
snd() { sox -V1 -R -D "$@"; }
# FMT for every file written
FMT="-r $RATE -b 16 -c 1"

# one note: note OUT WAVE FREQ SECONDS [FADEOUT]
note() {
    snd -n $FMT "$1" synth "$4" "$2" "$3" vol 0.3 fade q 0.005 "$4" "${5:-0.04}"
}

# a chord of N voices mixed to mono: chord OUT WAVE SECONDS FADEIN FADEOUT F1 F2 ...
chord() {
    local o=$1 w=$2 len=$3 fin=$4 fout=$5
    shift 5
    local n=$# voices=""
    for f in "$@"; do voices="$voices $w $f"; done
    # shellcheck disable=SC2086
    snd -r $RATE -c "$n" -n $FMT "$o" synth "$len" $voices remix - \
        vol 0.3 fade h "$fin" "$len" "$fout"
}

# -- bonus eaten: a sine gliding up an octave and a half, short and round
snd -n $FMT "$tmp/b1.wav" synth 0.25 sine 220-940 vol 0.6 \
    fade h 0.01 0.25 0.1
snd -n $FMT "$tmp/b2.wav" synth 0.25 triangle 440-1880 vol 0.15 \
    fade h 0.01 0.25 0.14
snd -m "$tmp/b1.wav" "$tmp/b2.wav" $FMT "$tmp/b.wav"
snd "$tmp/b.wav" $FMT "$out/bloop.wav" gain -n -3

# -- level cleared: G4 C5 E5 G5 up, then a ringing C major chord (0.8 s)
note "$tmp/f1.wav" square 392.00 0.09 0.02
note "$tmp/f2.wav" square 523.25 0.09 0.02
note "$tmp/f3.wav" square 659.26 0.09 0.02
note "$tmp/f4.wav" square 783.99 0.09 0.02
chord "$tmp/f5.wav" square 0.44 0.005 0.3 523.25 659.26 783.99 1046.50
snd "$tmp/f1.wav" "$tmp/f2.wav" "$tmp/f3.wav" "$tmp/f4.wav" "$tmp/f5.wav" \
    $FMT "$out/short11.wav" lowpass 5000 gain -n -3

# -- level start: C5 G4 C5 E5 G5, soft triangle (0.6 s)
note "$tmp/r1.wav" triangle 523.25 0.08
note "$tmp/r2.wav" triangle 392.00 0.08
note "$tmp/r3.wav" triangle 523.25 0.08
note "$tmp/r4.wav" triangle 659.26 0.08
chord "$tmp/r5.wav" triangle 0.28 0.005 0.15 783.99 1567.98
snd "$tmp/r1.wav" "$tmp/r2.wav" "$tmp/r3.wav" "$tmp/r4.wav" "$tmp/r5.wav" \
    $FMT "$out/short34.wav" gain -n -3

# -- life lost: sawtooth sliding down, opened and closed four times (1.2 s)
snd -n $FMT "$tmp/s.wav" synth 1.2 sawtooth 520-130 vol 0.4 \
    tremolo 3.4 85 lowpass 1800 fade h 0.02 1.2 0.35
snd "$tmp/s.wav" $FMT "$out/silly.wav" gain -n -3

# -- game over: Hal-le-lu-jah, four voices (bass, tenor, alto, soprano)
#    C | F/C | G7/B | C      about 2 s with a little room sound
chord "$tmp/h1.wav" triangle 0.34 0.06 0.08 130.81 261.63 329.63 392.00
chord "$tmp/h2.wav" triangle 0.34 0.06 0.08 130.81 261.63 349.23 440.00
chord "$tmp/h3.wav" triangle 0.44 0.06 0.08 123.47 293.66 349.23 392.00
chord "$tmp/h4.wav" triangle 0.80 0.06 0.40 130.81 261.63 329.63 523.25
snd "$tmp/h1.wav" "$tmp/h2.wav" "$tmp/h3.wav" "$tmp/h4.wav" "$tmp/h.wav"
snd "$tmp/h.wav" $FMT "$out/Halleluj.wav" \
    chorus 0.6 0.8 40 0.4 0.25 2 -s tremolo 5.5 12 lowpass 3000 \
    pad 0 0.2 reverb 35 50 60 gain -n -3
