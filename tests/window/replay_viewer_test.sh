#!/usr/bin/env bash
# The replay viewer in the real window: its keys, read back from the window's
# title, and a jump to 50 % that shows, pixel for pixel, the screen of the
# same replay cut at that moment and played to its end at real speed.
# Usage: replay_viewer_test.sh GLOUTON GLOUTON_SIM SOURCE_DIR
set -u
GLOUTON=$1
GLOUTON_SIM=$2
SOURCE_DIR=$3
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool xprop import compare python3

start_xvfb
whole=$WORK/whole.replay
python3 "$SOURCE_DIR/bench/bot_keys.py" 1 3 | "$GLOUTON_SIM" --keys - --until 16000 --record "$whole" \
  >/dev/null || fail "glouton-sim could not record a replay"
# The last line's time is the replay's end; the cut keeps the lines up to half of it.
end=$(tail -1 "$whole" | cut -d' ' -f1)
half=$((end * 5 / 10))
awk -v half="$half" 'NR <= 2 || $1 + 0 <= half' "$whole" >"$WORK/half.replay"

# The viewer window's title.
title() { xprop -id "$WIN" _NET_WM_NAME | sed 's/^[^"]*"//; s/"$//'; }
# Waits up to 5 s for the title to match the pattern $1.
title_shows() {
  for _ in $(seq 1 50); do
    title | grep -qE "$1" && return 0
    sleep 0.1
  done
  return 1
}
m_s() { printf '%02d:%02d' $(($1 / 60000)) $(($1 / 1000 % 60)); }

start_game --replay "$whole"
WIN=$(viewer_window) || fail "glouton --replay showed no viewer window"
xdotool windowfocus "$WIN" 2>/dev/null
# Keys pressed one after the other (held first), and the title they leave.
rows=(
  "space|revoir [0-9:]+ / $(m_s "$end") ×1 \(pause\)$"
  "Right Right Right Right|×16 \(pause\)$"
  "Left Left Left Left Left Left Left|×¼ \(pause\)$"
  "Right Right|×1 \(pause\)$"
  "End|revoir $(m_s "$end") / $(m_s "$end") ×1"
  "Home|revoir 00:00 / "
  "2|revoir $(m_s $((end * 2 / 10))) / "
  "5|revoir $(m_s "$half") / $(m_s "$end") ×1 \(pause\)$"
)
for row in "${rows[@]}"; do
  keys=${row%%|*}
  for key in $keys; do xdotool key "$key"; done
  title_shows "${row#*|}" || fail "after $keys the title is '$(title)', not /${row#*|}/"
done
sleep 0.5
import -window "$WIN" "$WORK/jumped.png" || fail "no screenshot of the jump"
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape in the viewer"

# The cut replay, played at real speed, stays on its last moment.
start_game --replay "$WORK/half.replay"
WIN=$(viewer_window) || fail "no viewer window for the cut replay"
cut_end=$(m_s "$(tail -1 "$WORK/half.replay" | cut -d' ' -f1)")
for _ in $(seq 1 30); do
  title | grep -q "revoir $cut_end / $cut_end" && break
  sleep 0.5
done
title | grep -q "revoir $cut_end / $cut_end" || fail "the cut replay did not reach its end: '$(title)'"
sleep 0.5
import -window "$WIN" "$WORK/played.png" || fail "no screenshot of the played replay"
xdotool windowfocus "$WIN" 2>/dev/null
differ=$(compare -metric AE "$WORK/jumped.png" "$WORK/played.png" null: 2>&1)
[ "$differ" = 0 ] || fail "the jump to 50 % shows $differ pixels unlike real-time play to that moment"
xdotool key Escape
wait_game 10
echo "PASS: replay viewer ($end ms, jump to $half ms)"
