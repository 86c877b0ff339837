#!/usr/bin/env bash
# The real game window under Xvfb, opened by Enter on the title window: its
# size, the maze shown; the "CC" box; Escape ends the program with 0.
# Usage: window_test.sh GLOUTON SOURCE_DIR
set -u
GLOUTON=$1
SOURCE_DIR=$2
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool import convert identify compare

start_xvfb
start_game
WIN=$(enter_game) || exit 1

geometry=$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 644x448 ] || fail "window is $geometry, expected 644x448 on a 1024x768 screen"

shot=$WORK/shot.png
shoot "$WIN" "$shot" 80 80 0 0 255 not || fail "no maze drawn in the game window"
# The picture itself is the drawing module's, checked pixel for pixel without
# a window (tests/sim/picture_test.cpp): here, that the window shows it.
art=$SOURCE_DIR/assets  # the art as drawn (built into the game), to compare with
shows_picture "$shot" 32 32 "$art/mur.xpm" || fail "no wall tile at row 1, column 1"

# "CC" shows the information box; Return closes it and the game goes on.
cc_box "$WIN" 0
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended with the information box"

escape_ends "$WIN"
echo "PASS: window test"
