#!/usr/bin/env bash
# glouton.exe from the zip under Wine and Xvfb, started from another folder:
#  1. with no audio output, the title window's pixels; Enter opens the game
#     window in its place; Escape ends the program with 0; one warning told
#     that the game plays silent;
#  2. unzipped into a folder named with an accent, without its music file,
#     and with no standard handles (started as Explorer starts it), it opens
#     all the same and its one warning goes to %LOCALAPPDATA%\Glouton\glouton.log.
#   title_test.sh GLOUTON SOURCE_DIR
# GLOUTON runs glouton.exe under Wine (the wrapper prepare.sh writes beside it).
set -u
GLOUTON=$1
SOURCE_DIR=$2
lib=$SOURCE_DIR/tests/window/xvfb_lib.sh
. "$lib"
need_tools Xvfb xdpyinfo xwininfo xdotool import convert compare
[ -n "${WINEPREFIX:-}" ] || WINEPREFIX=$(sed -n "s/^export WINEPREFIX='\([^']*\)'.*/\1/p" "$GLOUTON")
[ -d "$WINEPREFIX" ] || fail "no Wine prefix beside $GLOUTON"
export WINEPREFIX
WINE64=${WINE64:-/usr/lib/wine/wine64}
# Whatever a failure leaves running in the prefix ends with the test.
trap 'cleanup; "$(dirname "$WINE64")/wineserver64" -k 2>/dev/null' EXIT

start_xvfb
GAME_AUDIODRIVER=none start_game
TITLE=$(title_window) || fail "the title window did not open"
check_title_pixels "$TITLE" "$WORK/title.png"
title_is_drawn "$WORK/title.png"
enter_game >/dev/null
! shown_window Glouton 706x468 >/dev/null || fail "the title window still shows over the game"
xdotool key Escape
wait_game 20
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape, expected 0"
[ "$(grep -c '^glouton: ' "$WORK/game.err")" = 1 ] &&
  grep -q '^glouton: no sound device (.*): the game plays silent' "$WORK/game.err" ||
  fail "expected one warning, of the missing audio output: $(cat "$WORK/game.err")"

# 2. A copy of the game in "jeu de Zoé" without its music, started as Explorer
# starts it: no standard handles.
log=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Glouton/glouton.log' 2>/dev/null | head -n 1)
[ -z "$log" ] || rm -f "$log"
copy="$WORK/jeu de Zoé"
cp -r "$(dirname "$GLOUTON")" "$copy"
rm "$copy/gloutonone/musique-bis.mid"
SDL_AUDIODRIVER=dummy WINEDEBUG=-all "$WINE64" start /wait /unix "$copy/glouton.exe" \
  >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
enter_game >/dev/null
xdotool key Escape
wait_game 20
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS without the music, expected 0"
log=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Glouton/glouton.log' 2>/dev/null | head -n 1)
[ -n "$log" ] || fail "no glouton.log in the Wine user's AppData\\Local\\Glouton"
grep -q '^glouton: music file gloutonone/musique-bis.mid not found' "$log" ||
  fail "the log does not name the missing music: $(cat "$log")"
[ "$(grep -c . "$log")" = 1 ] || fail "expected one warning line in the log: $(cat "$log")"
echo "PASS: Windows title test"
