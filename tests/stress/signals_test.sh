#!/usr/bin/env bash
# SIGTERM and SIGINT end the real program with status 0, on the title and in
# a game; its trace and replay end on a whole line, and the replay plays back
# in `glouton-sim` to the window's own trace, `wall` aside.
# Usage: signals_test.sh GLOUTON GLOUTON_SIM [SOURCE_DIR]
set -u
GLOUTON=$1
GLOUTON_SIM=$2
SOURCE_DIR=${3:-}
. "$(dirname "$0")/stress_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool
# A script's background jobs ignore SIGINT unless job control is on.
set -m

start_xvfb
for signal in TERM INT; do
  for place in title game; do
    case=" (SIG$signal on the $place)"
    trace=$WORK/$signal-$place.jsonl
    replay=$WORK/$signal-$place.replay
    start_game --trace "$trace" --record "$replay"
    if [ "$place" = game ]; then
      WIN=$(enter_game) || exit 1
      xdotool windowfocus "$WIN" 2>/dev/null
      for key in Left Up Right Down Left; do
        xdotool key "$key"
        sleep 0.3
      done
    else
      title_window >/dev/null || fail "no title window$case"
      sleep 0.5
    fi
    kill -s "$signal" "$GAME_PID"
    wait_game 10
    [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS$case"
    whole_lines "$trace" && whole_lines "$replay" || fail "a file ends on a half line$case"
    head -1 "$replay" | grep -qx 'glouton-replay 1' || fail "the replay has no header$case"
    why=$(replay_matches "$trace" "$replay") || fail "$why$case"
    if [ "$place" = game ]; then
      [ "$(grep -c '"ev":"key"' "$trace")" = 5 ] || fail "the keys are not all in the trace$case"
      tail -1 "$replay" | grep -q ' quit$' || fail "the replay does not end on the session's end$case"
    fi
  done
done
echo "PASS: signals"
