#!/usr/bin/env bash
# Long play in the real window under Xvfb (`make soak`, not part of `make
# test`): a bot presses real keys at random moments for MINUTES minutes, with
# --trace and --record, and stalls the whole process for a second every five
# minutes from the second one. Checks: resident memory grows by at most 1 MB
# after the first minute; no timer event is handled more than 20 ms late but
# those a stall held; the trace stays in time order; `glouton-sim --replay`
# prints the trace, `wall` aside; Escape ends with status 0.
# Usage: soak_test.sh GLOUTON GLOUTON_SIM TRACE_CHECK [SOURCE_DIR] [MINUTES]
set -u
GLOUTON=$1
GLOUTON_SIM=$2
TRACE_CHECK=$3
SOURCE_DIR=${4:-}
MINUTES=${5:-60}
. "$(dirname "$0")/stress_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool python3

start_xvfb
trace=$WORK/trace.jsonl
replay=$WORK/game.replay
start_game --trace "$trace" --record "$replay"
favour_game
WIN=$(enter_game) || exit 1
xdotool windowfocus "$WIN" 2>/dev/null

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status"; }
# Page faults that waited for the disk: a late tick with these was held by the machine.
major_faults() { awk '{ print $12 }' "/proc/$GAME_PID/stat"; }
# The time of the game's clock the last trace line was handled at.
last_wall() { tail -1 "$trace" | sed -n 's/.*"wall":\([0-9]*\)}$/\1/p'; }

keys=(Left Up Right Down Left Up Right Down space a)
begin=$SECONDS
end=$((begin + MINUTES * 60))
next_sample=$begin
next_stall=$((begin + 120))
rss_minute=
faults_minute=0
rss_max=0
excuses=()
while [ "$SECONDS" -lt "$end" ]; do
  xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  sleep "0.$((RANDOM % 8))$((RANDOM % 10))"
  if [ "$SECONDS" -ge "$next_sample" ]; then
    next_sample=$((next_sample + 10))
    now=$(rss) || fail "the game is gone"
    if [ -z "$rss_minute" ]; then
      [ "$SECONDS" -ge $((begin + 60)) ] && rss_minute=$now && faults_minute=$(major_faults)
    elif [ "$now" -gt "$rss_max" ]; then
      rss_max=$now
    fi
  fi
  if [ "$SECONDS" -ge "$next_stall" ]; then
    next_stall=$((next_stall + 300))
    # Held from at most a Timer1 step after the last line, for a second.
    from=$(last_wall)
    kill -STOP "$GAME_PID" && sleep 1 && kill -CONT "$GAME_PID"
    excuses+=(--excuse "$from-$((from + 1500))")
  fi
done
rss_end=$(rss)
faults_end=$(major_faults)
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"

echo "soak: $MINUTES min, $(grep -c '"ev":"key"' "$trace") keys, $(wc -l <"$trace") events," \
  "$((${#excuses[@]} / 2)) stalls"
echo "resident memory: ${rss_minute} kB after the first minute, at most ${rss_max} kB after," \
  "${rss_end} kB at the end; $((faults_end - faults_minute)) major page faults after the first minute"
[ -n "$rss_minute" ] || fail "the run was shorter than a minute"
[ $((rss_max - rss_minute)) -le 1024 ] || fail "resident memory grew by $((rss_max - rss_minute)) kB"
# Every check runs, so that one run tells all it found.
failed=
python3 "$TRACE_CHECK" late "$trace" 20 "${excuses[@]}" || failed+=" timers fell behind;"
python3 "$TRACE_CHECK" order "$trace" || failed+=" the trace is out of time order;"
why=$(replay_matches "$trace" "$replay") || failed+=" $why;"
[ -z "$failed" ] || fail "$failed"
echo "PASS: soak"
