#!/usr/bin/env bash
# A game recorded in the real window plays back exactly: `glouton --record
# --trace` under Xvfb for over a minute, steered by real key presses at
# random moments, with the "CC" box held open a few seconds mid-game and a
# short stall of the whole process, then its frame closed and a second game
# from the title; then `glouton-sim --replay` prints the window's own trace
# line for line, its `wall` members aside. Last, `glouton --replay` shows the
# recording in the viewer's window and Escape ends it.
# Usage: replay_test.sh GLOUTON GLOUTON_SIM CLOSE_FRAME [SOURCE_DIR] [SECONDS]
set -u
GLOUTON=$1
GLOUTON_SIM=$2
CLOSE_FRAME=$3
SOURCE_DIR=${4:-}
SECONDS_TO_PLAY=${5:-65}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool xprop
need_close_frame

start_xvfb
trace=$WORK/trace.jsonl
replay=$WORK/game.replay
start_game --trace "$trace" --record "$replay"
WIN=$(enter_game) || exit 1
xdotool windowfocus "$WIN" 2>/dev/null

keys=(Left Up Right Down Left Up Right Down space a)
end=$((SECONDS + SECONDS_TO_PLAY))
box_done=0
stalled=0
while [ "$SECONDS" -lt "$end" ]; do
  xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  # Between 0 and 0.7 s, so that some presses land in a tick's millisecond.
  sleep "0.$((RANDOM % 8))$((RANDOM % 10))"
  if [ "$box_done" = 0 ] && [ "$SECONDS" -ge $((end - SECONDS_TO_PLAY / 2)) ]; then
    box_done=1
    cc_box "$WIN" 3
  fi
  if [ "$stalled" = 0 ] && [ "$SECONDS" -ge $((end - SECONDS_TO_PLAY / 4)) ]; then
    stalled=1
    kill -STOP "$GAME_PID" && sleep 0.8 && kill -CONT "$GAME_PID"
  fi
done
"$CLOSE_FRAME" "$WIN" || fail "could not close the game window's frame"
WIN=$(enter_game) || exit 1
xdotool windowfocus "$WIN" 2>/dev/null
for key in Left Up Right; do
  xdotool key "$key"
  sleep 0.3
done
escape_ends "$WIN"
[ "$(grep -c '^load$' "$replay")" = 2 ] || fail "the replay does not hold two game windows"

head -1 "$replay" | grep -qx 'glouton-replay 1' || fail "the replay does not start with its format"
grep -q ' cc$' "$replay" && grep -q ' ok$' "$replay" || fail "the replay holds no CC box"
# The first game's last line comes just before the second game's load.
last_t=$(grep -B1 '"ev":"load"' "$trace" | tail -2 | head -1 | sed -n 's/^{"t":\([0-9]*\),.*/\1/p')
[ "${last_t:-0}" -ge $(((SECONDS_TO_PLAY - 5) * 1000)) ] || fail "the game lasted only ${last_t:-0} ms"
[ "$(grep -c '"ev":"key"' "$trace")" -ge $((SECONDS_TO_PLAY / 2)) ] || fail "too few keys reached the game"

# The box and the stall held the loop: some ticks were handled late, coalesced.
awk -F'"wall":' '{ split($0, a, /[:,]/); if ($2 + 0 - a[2] >= 500) late++ } END { exit !late }' "$trace" ||
  fail "no event was handled late: the box and the stall did not hold the loop"
why=$(replay_matches "$trace" "$replay") || fail "$why"

# Shown in a window: it opens straight on the game, and Escape ends it.
: >"$WORK/game.err"
start_game --replay "$replay"
WIN=$(viewer_window) || fail "glouton --replay showed no viewer window"
! shown_window Glouton 706x468 >/dev/null || fail "glouton --replay showed the title"
escape_ends "$WIN" "Escape in a replay"
echo "PASS: replay test ($(wc -l <"$trace") events)"
