#!/usr/bin/env bash
# The real program writing onto a small tmpfs that the test fills mid-game:
# the trace, the replay, and the sound through SDL's disk audio driver (a
# failed write takes that device away, as a device pulled out). The game goes
# on, each file is told of once, what was written ends on a whole line and
# matches the run, and the status is 0. A file that cannot be made is a bad
# command line. Anyone but root runs it in a user and mount namespace of its
# own, where it may mount the tmpfs.
# Usage: full_disk_test.sh GLOUTON GLOUTON_SIM [SOURCE_DIR]
set -u
if [ "$(id -u)" != 0 ] && [ -z "${GLOUTON_OWN_NAMESPACE:-}" ]; then
  GLOUTON_OWN_NAMESPACE=1 exec unshare --user --map-root-user --mount bash "$0" "$@"
fi
GLOUTON=$1
GLOUTON_SIM=$2
SOURCE_DIR=${3:-}
. "$(dirname "$0")/stress_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool
DISK=$WORK/disk
mkdir "$DISK"
mount -t tmpfs -o size=4m glouton-full "$DISK" 2>"$WORK/mount.err" || {
  # `make test` runs every test; elsewhere a system that allows no namespace skips it.
  [ "${GLOUTON_REQUIRE_ALL:-0}" = 1 ] && fail "cannot mount a tmpfs: $(cat "$WORK/mount.err")"
  echo "SKIP: cannot mount a tmpfs: $(cat "$WORK/mount.err")" >&2
  exit 77
}
trap 'umount "$DISK"; cleanup' EXIT

"$GLOUTON" --trace "$DISK/no/such/folder.jsonl" 2>/dev/null
[ $? = 2 ] || fail "a trace file that cannot be made is not a bad command line"

# Plays 2 s, fills the disk, plays 2 s more with 400 keys (more than the
# replay's last page holds), then Escape.
play_and_fill() {
  local key
  WIN=$(enter_game) || exit 1
  xdotool windowfocus "$WIN" 2>/dev/null
  for key in Left Up Right Down; do
    xdotool key "$key"
    sleep 0.5
  done
  dd if=/dev/zero of="$DISK/fill" bs=4k 2>/dev/null
  for key in Left Up Right Down; do
    xdotool key --delay 5 $(printf "$key %.0s" $(seq 100))
  done
  xdotool key Escape
  wait_game 10
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS$case"
}

# $1 says once that writing file $2 stopped, and nothing else is told twice.
told_once() {
  [ "$(grep -c "$1" "$WORK/game.err")" = 1 ] || fail "not told once: '$1'$case"
  [ -z "$(sort "$WORK/game.err" | uniq -d)" ] || fail "a warning is told twice$case"
}

# File $1 ends on a whole line, holds $3 lines at least, and its lines are the
# first ones of file $2 ($1 without its `wall` members), but not all of them.
cut_whole() {
  whole_lines "$1" || fail "$1 ends on a half line$case"
  without_wall "$1" "$WORK/cut"
  local n
  n=$(wc -l <"$WORK/cut")
  [ "$n" -ge "$3" ] && [ "$n" -lt "$(wc -l <"$2")" ] || fail "$n lines kept of $(wc -l <"$2")$case"
  head -n "$n" "$2" | cmp -s - "$WORK/cut" || fail "what was written differs from the run$case"
}

start_xvfb
case=" (trace and sound on the full disk)"
export SDL_DISKAUDIOFILE=$DISK/sound.raw
GAME_AUDIODRIVER=disk start_game --trace "$DISK/trace.jsonl" --record "$WORK/game.replay"
play_and_fill
told_once "cannot write trace file $DISK/trace.jsonl: No space left on device; writing it stopped"
told_once "the sound device is gone: the game plays silent"
"$GLOUTON_SIM" --replay "$WORK/game.replay" >"$WORK/sim.jsonl" || fail "glouton-sim --replay failed"
tail -1 "$WORK/sim.jsonl" | grep -q '"ev":"key","key":27,' || fail "the replay does not end on Escape"
cut_whole "$DISK/trace.jsonl" "$WORK/sim.jsonl" 10

rm -f "$DISK"/*
case=" (replay on the full disk)"
start_game --trace "$WORK/trace.jsonl" --record "$DISK/game.replay"
play_and_fill
told_once "cannot write replay file $DISK/game.replay: No space left on device; writing it stopped"
"$GLOUTON_SIM" --replay "$DISK/game.replay" >"$WORK/sim.jsonl" || fail "glouton-sim --replay failed"
without_wall "$WORK/trace.jsonl" "$WORK/window.jsonl"
cut_whole "$WORK/sim.jsonl" "$WORK/window.jsonl" 10
echo "PASS: full disk"
