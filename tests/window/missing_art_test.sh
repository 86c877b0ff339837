#!/usr/bin/env bash
# A sprite found nowhere stops the game before its window opens: one message
# naming the file, exit status 1, no window. Also: a polite TERM (as when the
# session ends) closes the game window like its frame's close box, status 0.
# Usage: missing_art_test.sh GLOUTON [SOURCE_DIR]
set -u
GLOUTON=$1
SOURCE_DIR=${2:-}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo

start_xvfb

# The game alone in a folder: no art beside it nor in the current directory.
mkdir -p "$WORK/alone" "$WORK/empty"
cp "$GLOUTON" "$WORK/alone/glouton"
if [ -f /usr/local/share/glouton/assets/glouton.xpm ] || [ -f /usr/share/glouton/assets/glouton.xpm ]; then
  echo "SKIP: the art is installed, so it is always found" >&2
  exit 77
fi
(cd "$WORK/empty" && SDL_AUDIODRIVER=dummy timeout 20 "$WORK/alone/glouton" 2>"$WORK/game.err" >/dev/null)
status=$?
[ "$status" = 1 ] || fail "exit status $status without the art, expected 1"
[ "$(grep -c . "$WORK/game.err")" = 1 ] || fail "expected one line on standard error"
grep -q '^glouton: picture assets/glouton.xpm not found' "$WORK/game.err" ||
  fail "the message does not name the missing picture"
! xwininfo -root -tree | grep -qF '"Glouton":' || fail "a window was left open"

# Now with the art: TERM ends the game as a closed frame does.
start_game
WIN=$(window_named Glouton)
[ -n "$WIN" ] || fail "no window named Glouton"
kill -TERM "$GAME_PID"
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after TERM, expected 0"
echo "PASS: missing art, closing"
