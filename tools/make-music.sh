#!/bin/bash
# Turn the title tune (musique-bis.abc, next to this script) into MIDI.
#
#   bash tools/make-music.sh OUTDIR      ->  OUTDIR/musique-bis.mid
#
# Quiet on success.  abc2midi reports problems on its standard output and
# still exits 0, so its messages are read here: errors and warnings are
# shown on stderr, and an error or a missing/empty MIDI file is a failure.

set -eu

if [ $# -ne 1 ] || [ -z "$1" ]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi
out=$1
here=$(cd "$(dirname "$0")" && pwd)
abc=$here/musique-bis.abc
mid=$out/musique-bis.mid

command -v abc2midi >/dev/null 2>&1 || { echo "$0: abc2midi not found" >&2; exit 1; }
[ -r "$abc" ] || { echo "$0: cannot read $abc" >&2; exit 1; }
mkdir -p "$out"
rm -f "$mid"

status=0
log=$(abc2midi "$abc" -o "$mid") || status=$?

msgs=$(printf '%s\n' "$log" | grep -E 'Error|Warning' || true)
if [ -n "$msgs" ]; then
    printf '%s\n' "$msgs" >&2
fi
if [ "$status" -ne 0 ] || printf '%s\n' "$msgs" | grep -q 'Error'; then
    echo "$0: abc2midi failed on $abc" >&2
    exit 1
fi
if [ ! -s "$mid" ]; then
    echo "$0: abc2midi wrote no $mid" >&2
    exit 1
fi
