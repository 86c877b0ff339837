#!/usr/bin/env bash
# A picture found nowhere stops the game before any window opens: one message
# naming the file, exit status 1, no window. That holds for the game's sprites
# and for the title's face. Also: a polite TERM (as when the session ends)
# ends the program from the title window like its frame's close box, status 0.
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

# Runs the lone game in folder $1 and checks it stops naming picture $2.
expect_missing() {
  (cd "$1" && SDL_AUDIODRIVER=dummy timeout 20 "$WORK/alone/glouton" 2>"$WORK/game.err" >/dev/null)
  local status=$?
  [ "$status" = 1 ] || fail "exit status $status without $2, expected 1"
  [ "$(grep -c . "$WORK/game.err")" = 1 ] || fail "expected one line on standard error"
  grep -q "^glouton: picture $2 not found" "$WORK/game.err" ||
    fail "the message does not name the missing picture $2"
  ! xwininfo -root -tree | grep -qF '"Glouton":' || fail "a window was left open"
}

expect_missing "$WORK/empty" assets/glouton.xpm

# Every picture but the title's face.
art=$(dirname "$GLOUTON")/assets
[ -f "$art/glouton.xpm" ] || art=$SOURCE_DIR/assets
[ -f "$art/glouton.xpm" ] || fail "no art to copy"
mkdir -p "$WORK/faceless/assets"
cp "$art"/*.xpm "$WORK/faceless/assets/"
rm "$WORK/faceless/assets/face.xpm"
expect_missing "$WORK/faceless" assets/face.xpm

# Now with the art: TERM ends the program as a closed title frame does.
start_game
WIN=$(title_window) || fail "no title window"
kill -TERM "$GAME_PID"
expect_exit_0 TERM
! shown_window Glouton >/dev/null || fail "a window was left open"
echo "PASS: missing art, closing"
