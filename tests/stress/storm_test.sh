#!/usr/bin/env bash
# A key storm in the real window under Xvfb: 2,000 real key presses in about
# 10 s. Every one reaches the game (one `key` line each in the trace), the
# timers stay on time meanwhile, and nothing is left pressed afterwards: no
# key arrives after the storm, and Escape still ends the game at once.
# Usage: storm_test.sh GLOUTON TRACE_CHECK [SOURCE_DIR]
set -u
GLOUTON=$1
TRACE_CHECK=$2
SOURCE_DIR=${3:-}
. "$(dirname "$0")/stress_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool python3
PRESSES=2000
# Timer events handled more than this late fail the test.
LATE_MS=${STORM_LATE_MS:-20}

start_xvfb
trace=$WORK/trace.jsonl
start_game --trace "$trace"
favour_game
WIN=$(enter_game) || exit 1
xdotool windowfocus "$WIN" 2>/dev/null
sleep 1

# Arrows, space and letters: every one a key the game counts, none that ends it.
names=(Left Up Right Down space a b c d e f g h i j k l)
keys=()
for i in $(seq 1 $PRESSES); do keys+=("${names[RANDOM % ${#names[@]}]}"); done
started=$(date +%s%N)
cpu_before=$(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat")
xdotool key --delay 4 "${keys[@]}"
took=$((($(date +%s%N) - started) / 1000000))
cpu=$(($(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat") - cpu_before))
sleep 1.5
got=$(grep -c '"ev":"key"' "$trace")
[ "$got" = "$PRESSES" ] || fail "$got of $PRESSES key presses reached the game (or a key stayed pressed)"

first=$(grep -m1 '"ev":"key"' "$trace" | sed 's/^{"t":\([0-9]*\),.*/\1/')
last=$(grep '"ev":"key"' "$trace" | tail -1 | sed 's/^{"t":\([0-9]*\),.*/\1/')
echo "storm: $PRESSES presses sent in $took ms, handled from $first to $last ms of the game," \
  "$((cpu * 1000 / $(getconf CLK_TCK))) ms of CPU"
python3 "$TRACE_CHECK" late "$trace" "$LATE_MS" "$first" "$last" || fail "timers fell behind"

xdotool key Escape
wait_game 5
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape"
tail -1 "$trace" | grep -q '"ev":"key","key":27,' || fail "the trace does not end on Escape"
python3 "$TRACE_CHECK" order "$trace" || fail "the trace is out of time order"
echo "PASS: key storm"
