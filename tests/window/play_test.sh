#!/usr/bin/env bash
# Real key presses play the real window: Left moves the glouton off its start
# cell, the trace shows the score rising pellet by pellet, and Escape ends the
# program with status 0.
#   play_test.sh GLOUTON SOURCE_DIR
set -u
GLOUTON=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/window/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool convert python3

start_xvfb
start_game --trace "$WORK/trace.jsonl"
game=$(enter_game)
import -window "$game" "$WORK/before.png" 2>/dev/null || fail "no screenshot"
xdotool key Left
sleep 1.5
import -window "$game" "$WORK/after.png" 2>/dev/null || fail "no screenshot"
escape_ends "$game"

# The glouton's start cell (column 9, row 2) showed its yellow face, and now shows floor.
near "$(pixel "$WORK/before.png" 304 80)" 255 255 0 || fail "no glouton on its start cell at first"
near "$(pixel "$WORK/after.png" 304 80)" 0 0 255 || fail "the glouton did not leave its start cell"
near "$(pixel "$WORK/after.png" 272 80)" 0 255 255 && fail "the pellet left of the start is still there"

python3 - "$WORK/trace.jsonl" <<'PY' || fail "the trace does not show the play"
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
keys = [e for e in lines if e["ev"] == "key"]
assert any(e["key"] == 37 for e in keys), "no Left key in the trace"
assert keys[-1]["key"] == 27, "the last key is not Escape"
scores = [e["score"] for e in lines]
assert scores == sorted(scores), "the score went down"
eaten = [e for e in lines if 1 in e["cues"]]
assert len(eaten) >= 2, "fewer than two pellets eaten in 1.5 s"
for e in eaten:
    assert e["text1"] == str(e["score"]), "the score box does not show the score"
assert max(scores) >= 20, "the score did not rise"
PY
echo "ok: the glouton ran left and ate $(grep -c '"cues":\[1\]' "$WORK/trace.jsonl") pellets"
