#!/usr/bin/env bash
# The real game window under Xvfb, opened by Enter on the title window: its
# size, the maze, the lives and the controls on a screenshot; the "CC" box;
# Escape ends the program with 0.
# Usage: window_test.sh GLOUTON [SOURCE_DIR]
set -u
GLOUTON=$1
SOURCE_DIR=${2:-}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool import convert identify compare

start_xvfb
start_game
WIN=$(enter_game) || exit 1

geometry=$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 644x448 ] || fail "window is $geometry, expected 644x448 on a 1024x768 screen"

shot=$WORK/shot.png
shoot "$WIN" "$shot" 80 80 0 0 255 not || fail "no maze drawn in the game window"
check() { expect_pixel "$shot" "$@"; }

art=${SOURCE_DIR:-$(dirname "$GLOUTON")}/assets  # the art as drawn, to compare with
shows_picture "$shot" 32 32 "$art/mur.xpm" || fail "no wall tile at row 1, column 1"
check "pellet centre at row 2, column 2" 80 80 0 255 255
check "pellet tile corner" 64 64 0 0 255
check "floor under the glouton's start" 288 64 0 0 255
check "first life icon" 64 16 255 255 0
check "second life icon" 96 16 255 255 0
check "third life icon" 128 16 255 255 0
check "no fourth life icon" 160 16 0 0 255
check "the score box's sunken border" 543 40 128 128 128
check "inside the score box" 546 60 0 0 255
check "the button's raised face" 12 3 192 192 192
[ "$(pixel "$shot" 520 8)" != "0,0,255" ] || fail "the SCORE caption: pixel (520,8) is plain blue"

# "CC" shows the information box; Return closes it and the game goes on.
cc_box "$WIN" 0
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended with the information box"

escape_ends "$WIN"
echo "PASS: window test"
