#!/bin/bash
# Renders the title tune's MIDI file to an Ogg Vorbis file with fluidsynth and
# a General MIDI soundfont, so that a player needs neither at run time.
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
command -v fluidsynth >/dev/null 2>&1 || { echo "$0: fluidsynth not found (make deps)" >&2; exit 1; }
[ -r "$font" ] || { echo "$0: no soundfont $font (make deps)" >&2; exit 1; }
rm -f "$ogg"
fluidsynth -n -i -q -T oga -F "$ogg" -r 44100 "$font" "$mid" >/dev/null
if [ ! -s "$ogg" ]; then
    echo "$0: fluidsynth wrote no $ogg" >&2
    exit 1
fi
