#!/usr/bin/env bash
# The page's pixels against the desktop window's: the title and the first
# maze, shot from the desktop game under Xvfb, then compared pixel for pixel
# with the page's canvas in headless chromium (pixels_test.mjs).
#   pixels_test.sh GLOUTON SITE_DIR NPM_DIR SOURCE_DIR
set -u
GLOUTON=$1
SITE=$2
NPM=$3
SOURCE_DIR=$4
. "$SOURCE_DIR/tests/window/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool import convert node

start_xvfb
start_game
TITLE=$(title_window) || fail "the title window did not open"
check_title_pixels "$TITLE" "$WORK/title.png"
WIN=$(enter_game) || exit 1
for _ in $(seq 1 50); do
  import -window "$WIN" "$WORK/maze.png" 2>/dev/null && ! near "$(pixel "$WORK/maze.png" 80 80)" 0 0 255 && break
  sleep 0.1
done
convert "$WORK/title.png" -depth 8 "rgb:$WORK/title.rgb" || fail "cannot read the title's shot"
convert "$WORK/maze.png" -depth 8 "rgb:$WORK/maze.rgb" || fail "cannot read the maze's shot"
node "$SOURCE_DIR/tests/web/pixels_test.mjs" "$SITE" "$NPM" "$SOURCE_DIR" "$WORK"; status=$?
[ -n "${PIXELS_KEEP:-}" ] && cp "$WORK"/*.rgb "$WORK"/*.png "$PIXELS_KEEP"/
exit $status
