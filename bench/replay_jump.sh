#!/usr/bin/env bash
# How long the replay viewer's jump to the end of a 20-minute replay takes in
# the real window: a bot's 20 minutes recorded by glouton-sim, shown by
# `glouton --replay` under Xvfb; End and Home pressed by xdotool, each time
# from the key press to the window's title saying the viewer got there
# (polled every few ms, so a figure includes up to one poll).
# Usage: bench/replay_jump.sh [BUILD_DIR] [MINUTES] [ROUNDS]
set -u
BUILD=$(cd "${1:-build}" && pwd)
MINUTES=${2:-20}
ROUNDS=${3:-5}
SOURCE_DIR=$(cd "$(dirname "$0")/.." && pwd)
GLOUTON=$BUILD/glouton
. "$SOURCE_DIR/tests/window/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool xprop python3

start_xvfb
replay=$WORK/long.replay
python3 "$SOURCE_DIR/bench/bot_keys.py" "$MINUTES" 7 |
  "$BUILD/glouton-sim" --keys - --until $((MINUTES * 60000)) --record "$replay" >/dev/null
end=$(printf '%02d:%02d' $((MINUTES)) 0)
echo "replay: $MINUTES minutes, $(wc -c <"$replay") bytes, $(wc -l <"$replay") lines"
start_game --replay "$replay"
WIN=$(viewer_window) || fail "no viewer window"
xdotool windowfocus "$WIN" 2>/dev/null
xdotool key space  # held: the title moves only with the jumps
title() { xprop -id "$WIN" _NET_WM_NAME; }
ms_until() {
  local start=$(date +%s%N)
  xdotool key "$1"
  until title | grep -q "revoir $2"; do sleep 0.002; done
  echo $((($(date +%s%N) - start) / 1000000))
}
ends=()
for _ in $(seq 1 "$ROUNDS"); do
  ends+=("$(ms_until End "$end / $end")")
  ms_until Home "00:00 / $end" >/dev/null
done
echo "jump to the end (ms, key press to title): ${ends[*]}"
xdotool key Escape
wait_game 10
