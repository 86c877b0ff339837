#!/bin/bash
# Renders the title tune's MIDI file to an MP3 file with fluidsynth and a
# General MIDI soundfont, so that a player needs neither at run time. MP3,
# which every browser decodes (Safari does not decode Ogg Vorbis), encoded by
# lame for its size (the page fetches it): mono at $BITRATE kbit/s (20 by default:
# with the cues, the whole first visit stays under 200 kB gzip).
#
#   bash tools/render-music.sh MIDI MP3 [SOUNDFONT]
set -eu
if [ $# -lt 2 ]; then
    echo "usage: $0 MIDI MP3 [SOUNDFONT]" >&2
    exit 2
fi
mid=$1
mp3=$2
font=${3:-/usr/share/sounds/sf2/TimGM6mb.sf2}
bitrate=${BITRATE:-20}
command -v fluidsynth >/dev/null 2>&1 || { echo "$0: fluidsynth not found (make deps)" >&2; exit 1; }
command -v lame >/dev/null 2>&1 || { echo "$0: lame not found (make deps)" >&2; exit 1; }
[ -r "$font" ] || { echo "$0: no soundfont $font (make deps)" >&2; exit 1; }
rm -f "$mp3"
wav=$(mktemp "${TMPDIR:-/tmp}/glouton-music.XXXXXX.wav")
trap 'rm -f "$wav"' EXIT
fluidsynth -n -i -q -T wav -F "$wav" -r 44100 "$font" "$mid" >/dev/null
if [ ! -s "$wav" ]; then
    echo "$0: fluidsynth wrote no $wav" >&2
    exit 1
fi
lame --quiet --noreplaygain -m m -b "$bitrate" "$wav" "$mp3"
