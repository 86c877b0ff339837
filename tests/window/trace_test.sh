#!/usr/bin/env bash
# `glouton --trace FILE` under Xvfb: its first line is the simulator's load
# line plus the wall time, every handler starts at or after its due time, and
# the last line is the Escape that ended the program.
# Usage: trace_test.sh GLOUTON GLOUTON_SIM [SOURCE_DIR]
set -u
GLOUTON=$1
GLOUTON_SIM=$2
SOURCE_DIR=${3:-}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool

start_xvfb
trace=$WORK/trace.jsonl
start_game --trace "$trace"
WIN=$(window_named Glouton)
[ -n "$WIN" ] || fail "no window named Glouton"
for _ in $(seq 1 100); do
  [ "$(grep -c '"ev":"Timer1"' "$trace" 2>/dev/null)" -ge 3 ] && break
  sleep 0.05
done
xdotool windowfocus "$WIN" 2>/dev/null
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"

expected=$("$GLOUTON_SIM" --until 0)
first=$(head -1 "$trace")
[[ "$first" =~ ,\"wall\":[0-9]+\}$ ]] || fail "first line has no wall member: $first"
[ "${first%,\"wall\":*}}" = "$expected" ] || fail "first line differs from the simulator's:
  game: $first
  sim:  $expected"

while IFS= read -r line; do
  t=$(sed -n 's/^{"t":\([0-9]*\),.*/\1/p' <<<"$line")
  wall=$(sed -n 's/.*,"wall":\([0-9]*\)}$/\1/p' <<<"$line")
  [ -n "$t" ] && [ -n "$wall" ] || fail "malformed line: $line"
  [ "$wall" -ge "$t" ] || fail "handler started before its time: $line"
done <"$trace"
[ "$(grep -c '"ev":"Timer1"' "$trace")" -ge 3 ] || fail "fewer than three Timer1 lines"
tail -1 "$trace" | grep -q '"ev":"key","key":27,' || fail "the last line is not the Escape"
echo "PASS: trace test"
