#!/usr/bin/env bash
# The title window under Xvfb, with SDL's disk audio driver for a sound card.
#  1. It opens first: red, the yellow box of the title with magenta letters,
#     the "GO !" button; its music reaches the audio output; its face slides.
#     Enter opens the game window in its place; closing that window's frame
#     brings the title back, its face still and the output silent; a click on
#     "GO !" opens a fresh game window; Escape ends the program with 0.
#  2. Made larger, the title shows in the middle with black bars, and a click
#     on "GO !" there opens the game; closing the title window's frame ends
#     the program with 0.
#  3. Space opens the game; TERM there ends the program with 0.
#  4. Without the music file (the installed data hidden too) the title's
#     output is silence, and one warning line names the file; TERM (as when
#     the session ends) ends the program from the title with 0.
# Usage: title_test.sh GLOUTON CLOSE_FRAME SOURCE_DIR
set -u
GLOUTON=$1
CLOSE_FRAME=$2
SOURCE_DIR=$3
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool import convert identify compare od
need_close_frame

# Bytes of the audio output from offset $1 that are not 0 (silence).
loud_bytes() {
  od -An -v -tx1 -j "$1" "$AUDIO" | tr -s ' ' '\n' | grep -c -v -e '^00$' -e '^$'
}
# The leftmost column of the face's row (y 316 of the window) that is not red.
face_left() {
  import -window "$1" "$WORK/face.png" 2>/dev/null || fail "no screenshot of the title"
  convert "$WORK/face.png" -crop 706x1+0+316 +repage txt:- |
    awk -F'[,:]' '!/^#/ && !/#FF0000/ { print $1; exit }'
}

start_xvfb
export GAME_AUDIODRIVER=disk
export AUDIO=$WORK/audio.raw
export SDL_DISKAUDIOFILE=$AUDIO

# 1. The title first.
start_game
TITLE=$(title_window) || fail "the title window did not open"
! shown_window Glouton 644x448 >/dev/null || fail "the game window opened with the title"
shot=$WORK/title.png
check_title_pixels "$TITLE" "$shot"
title_is_drawn "$shot"
# The README's title (tools/make-doc-pictures.sh) is that window too.
title_is_drawn "$SOURCE_DIR/docs/pictures/title.png"

# The music: 1.5 s of output (44,100 frames of 4 bytes a second) are not all silence.
wait_audio 264600 0
loud=$(loud_bytes 0)
[ "$loud" -gt 10000 ] || fail "the music did not reach the audio output ($loud loud bytes)"

# The face slides along its row.
x1=$(face_left "$TITLE")
sleep 1
x2=$(face_left "$TITLE")
[ -n "$x1" ] && [ -n "$x2" ] || fail "no face in its row"
[ "$x2" -gt "$x1" ] || fail "the face did not move right in a second ($x1 then $x2)"

# Enter: the game window in the title's place.
WIN=$(enter_game) || exit 1
! shown_window Glouton 706x468 >/dev/null || fail "the title window still shows over the game"
shoot "$WIN" "$WORK/game.png" 80 80 0 0 255 not || fail "no maze drawn in the game window"
art=$SOURCE_DIR/assets  # the art as drawn (built into the game), to compare with
shows_picture "$WORK/game.png" 32 32 "$art/mur.xpm" || fail "no wall in the game window"

# Closing its frame: back to the title, still and silent.
"$CLOSE_FRAME" "$WIN" || fail "could not close the game window's frame"
TITLE=$(title_window) || fail "closing the game window did not bring the title back"
kill -0 "$GAME_PID" 2>/dev/null || fail "closing the game window ended the program"
! shown_window Glouton 644x448 >/dev/null || fail "the game window is still shown"
quiet_from=$(($(audio_size) + 8192))
still1=$(face_left "$TITLE")
sleep 1
still2=$(face_left "$TITLE")
[ -n "$still1" ] && [ "$still1" = "$still2" ] || fail "the face moves after the game ($still1 then $still2)"
[ "$(audio_size)" -gt "$quiet_from" ] || fail "the audio output stopped growing"
loud=$(loud_bytes "$quiet_from")
[ "$loud" = 0 ] || fail "the title back from the game is not silent ($loud loud bytes)"

# A click on "GO !" opens a fresh game window.
xdotool mousemove --window "$TITLE" 40 439 click 1
WIN=$(game_window) || fail "clicking GO opened no game window"
escape_ends "$WIN"
! shown_window Glouton >/dev/null || fail "a window was left open after Escape"

# 2. A larger window: bars around the title, and the mouse mapped through them.
start_game
TITLE=$(title_window) || fail "the title window did not open again"
xdotool windowsize "$TITLE" 1000 700
# At scale 1 the title's corner is at ((1000 - 706) / 2, (700 - 468) / 2).
shoot "$TITLE" "$shot" 152 121 255 0 0 || fail "the title is not in the middle of the larger window"
near "$(pixel "$shot" 5 5)" 0 0 0 || fail "no black bar at (5,5) of the larger title window"
near "$(pixel "$shot" 328 266)" 255 255 0 || fail "the title's box is not in the middle"
xdotool mousemove --window "$TITLE" 40 439 click 1
sleep 0.3
! shown_window Glouton 644x448 >/dev/null || fail "a click on the bar where GO was opened the game"
xdotool mousemove --window "$TITLE" 187 555 click 1
WIN=$(game_window) || fail "a click on GO in the larger window opened no game window"
"$CLOSE_FRAME" "$WIN" || fail "could not close the game window's frame"
TITLE=$(window_named Glouton 1000x700) || fail "closing the game window did not bring the title back"
# Closing the title window's frame.
"$CLOSE_FRAME" "$TITLE" || fail "could not close the title window's frame"
expect_exit_0 "closing the title"

# 3. Space is "GO !" too; TERM in the game ends the program.
start_game
TITLE=$(title_window) || fail "the title window did not open again"
xdotool windowfocus "$TITLE" 2>/dev/null
xdotool key space
WIN=$(game_window) || fail "space on the title opened no game window"
kill -TERM "$GAME_PID"
expect_exit_0 "TERM in the game"

# 4. The game alone with its sounds but no music, the installed data hidden:
# silent output, one warning; TERM on the title ends the program with 0.
sounds=$(dirname "$GLOUTON")/gloutonone
[ -f "$sounds/bloop.wav" ] || fail "no built sounds beside $GLOUTON"
mkdir -p "$WORK/alone/gloutonone" "$WORK/tuneless"
cp "$GLOUTON" "$WORK/alone/glouton"
cp "$sounds"/*.wav "$WORK/tuneless/"
mkdir -p "$WORK/tuneless/gloutonone"
mv "$WORK/tuneless/"*.wav "$WORK/tuneless/gloutonone/"
rm -f "$AUDIO"
GLOUTON=$WORK/alone/glouton
(cd "$WORK/tuneless" && SDL_AUDIODRIVER=disk without_folders /usr/share/glouton /usr/local/share/glouton \
  -- "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err") &
GAME_PID=$!
TITLE=$(title_window) || fail "no title window without the music"
wait_audio 88200 0  # half a second of output
loud=$(loud_bytes 0)
[ "$loud" = 0 ] || fail "the title without its music is not silent ($loud loud bytes)"
kill -TERM "$GAME_PID"
expect_exit_0 "TERM on the title without music"
# The game's own lines: SDL's disk driver says that it writes a file.
[ "$(grep -c '^glouton: ' "$WORK/game.err")" = 1 ] || fail "expected one warning line without the music"
grep -q '^glouton: music file gloutonone/musique-bis.mid not found' "$WORK/game.err" ||
  fail "the warning does not name the music file"
echo "PASS: title test"
