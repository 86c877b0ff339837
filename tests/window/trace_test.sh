#!/usr/bin/env bash
# `glouton --trace FILE` under Xvfb over two game windows: Enter on the title
# opens the first, closing its frame comes back to the title, Enter opens a
# second, and Escape ends the program. Each window's lines start with the
# simulator's load line plus the wall time, at t = 0; the second window's
# follow the first's; every handler starts at or after its due time; the last
# line is the Escape.
# Usage: trace_test.sh GLOUTON GLOUTON_SIM CLOSE_FRAME [SOURCE_DIR]
set -u
GLOUTON=$1
GLOUTON_SIM=$2
CLOSE_FRAME=$3
SOURCE_DIR=${4:-}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool
need_close_frame

# Waits until the trace has at least $1 Timer1 lines.
wait_timer1_lines() {
  for _ in $(seq 1 100); do
    [ "$(grep -c '"ev":"Timer1"' "$trace" 2>/dev/null)" -ge "$1" ] && return 0
    sleep 0.05
  done
  fail "fewer than $1 Timer1 lines in the trace"
}

start_xvfb
trace=$WORK/trace.jsonl
start_game --trace "$trace"
WIN=$(enter_game) || exit 1
wait_timer1_lines 3
"$CLOSE_FRAME" "$WIN" || fail "could not close the game window's frame"
title_window >/dev/null || fail "closing the game window did not bring the title back"
first_count=$(grep -c . "$trace")
WIN=$(enter_game) || exit 1
wait_timer1_lines $(($(grep -c '"ev":"Timer1"' "$trace") + 3))
escape_ends "$WIN"

expected=$("$GLOUTON_SIM" --until 0)
[ "$(grep -c '"ev":"load"' "$trace")" = 2 ] || fail "expected two load lines, one a window"
[ "$(grep -n '"ev":"load"' "$trace" | cut -d: -f1 | tr '\n' ' ')" = "1 $((first_count + 1)) " ] ||
  fail "the second window's lines do not follow the first's"
# Both windows load as fresh games (no point was scored, so the best is 0 too).
while IFS= read -r load; do
  [[ "$load" =~ ,\"wall\":[0-9]+\}$ ]] || fail "load line has no wall member: $load"
  [ "${load%,\"wall\":*}}" = "$expected" ] || fail "a load line differs from the simulator's:
  game: $load
  sim:  $expected"
done < <(grep '"ev":"load"' "$trace")

previous=-1
while IFS= read -r line; do
  t=$(sed -n 's/^{"t":\([0-9]*\),.*/\1/p' <<<"$line")
  wall=$(sed -n 's/.*,"wall":\([0-9]*\)}$/\1/p' <<<"$line")
  [ -n "$t" ] && [ -n "$wall" ] || fail "malformed line: $line"
  [ "$wall" -ge "$t" ] || fail "handler started before its time: $line"
  # Time runs on within a window and starts again at 0 with the next.
  if [[ "$line" == *'"ev":"load"'* ]]; then
    [ "$t" = 0 ] || fail "a window loads at $t, not 0"
  else
    [ "$t" -ge "$previous" ] || fail "time went back: $line"
  fi
  previous=$t
done <"$trace"
tail -1 "$trace" | grep -q '"ev":"key","key":27,' || fail "the last line is not the Escape"
echo "PASS: trace test"
