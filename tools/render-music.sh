#!/bin/bash
# Renders the title tune's MIDI file to an Ogg Vorbis file with fluidsynth and
# a General MIDI soundfont, so that a player needs neither at run time.
# Encoded by sox for its size (the page fetches it): 44.1 kHz stereo at
# Vorbis quality $QUALITY (-1, about 3 kB a second of music, by default).
#
#   bash tools/render-music.sh MIDI OGG [SOUNDFONT]
set -eu
if [ $# -lt 2 ]; then
    echo "usage: $0 MIDI OGG [SOUNDFONT]" >&2
    exit 2
fi
mid=$1
ogg=$2
font=${3:-/usr/share/sounds/sf2/TimGM6mb.sf2}
quality=${QUALITY:--1}
command -v fluidsynth >/dev/null 2>&1 || { echo "$0: fluidsynth not found (make deps)" >&2; exit 1; }
command -v sox >/dev/null 2>&1 || { echo "$0: sox not found (make deps)" >&2; exit 1; }
[ -r "$font" ] || { echo "$0: no soundfont $font (make deps)" >&2; exit 1; }
rm -f "$ogg"
wav=$(mktemp "${TMPDIR:-/tmp}/glouton-music.XXXXXX.wav")
trap 'rm -f "$wav"' EXIT
fluidsynth -n -i -q -T wav -F "$wav" -r 44100 "$font" "$mid" >/dev/null
if [ ! -s "$wav" ]; then
    echo "$0: fluidsynth wrote no $wav" >&2
    exit 1
fi
sox -V1 "$wav" -C "$quality" "$ogg"
