#!/usr/bin/env bash
# Fullscreen, the sound switch and the mouse through the bars, under Xvfb with
# a small window manager: without one, nobody on the X server acts on a
# window's fullscreen request, and SDL believes a size the window never gets.
#  1. F11 on the title: the window covers the screen, the title in the middle
#     at scale 1 with black bars; F11 again: back to 706x468. Made larger
#     first, it comes back at that size. Alt+Enter switches fullscreen and
#     does not press "GO !"; a click on "GO !" through the bars opens the game.
#  2. F11 in the game window: the maze in the middle of the screen; F11 again:
#     back to 644x448.
#  3. M on the title silences the music and M again brings it back; M in the
#     game silences the pellets the glouton eats, as it still obeys Left, and
#     M again brings them back.
# Usage: fullscreen_test.sh GLOUTON [SOURCE_DIR]
set -u
GLOUTON=$1
SOURCE_DIR=${2:-}
. "$(dirname "$0")/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool xprop import convert od evilwm

WM_PID=
stop_wm() { [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null && wait "$WM_PID" 2>/dev/null; }
trap 'stop_wm; cleanup' EXIT

# evilwm: tiny, and it honours _NET_WM_STATE_FULLSCREEN. Ready once it has
# put its check window on the root.
start_wm() {
  evilwm >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  fail "the window manager did not start"
}

# "WxH+X+Y" of a window, from its own absolute place.
geometry_of() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /^  Width/ { w = $NF } /^  Height/ { h = $NF }
    END { print w "x" h "+" x "+" y }'
}
# Waits up to 5 s for window $1 to have geometry $2.
wait_geometry() {
  for _ in $(seq 1 100); do
    [ "$(geometry_of "$1")" = "$2" ] && return 0
    sleep 0.05
  done
  return 1
}
screen_size() { xdpyinfo | awk '/dimensions:/ { print $2; exit }'; }
press() {  # WINDOW KEYS...: the keys to the window with the focus
  local win=$1
  shift
  xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
  xdotool key "$@"
}
# The loudest sample of the audio output from offset $1 on, over $2 bytes.
# Silence is not all zeros: the synthesizer dithers by a step or two.
peak() {
  od -An -v -td2 -j "$1" -N "$2" "$AUDIO" | tr -s ' ' '\n' |
    awk 'NF { v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}

start_xvfb
start_wm
SCREEN=$(screen_size)
[ "$SCREEN" = 1024x768 ] || fail "the screen is $SCREEN, expected 1024x768"
export GAME_AUDIODRIVER=disk
export AUDIO=$WORK/audio.raw
export SDL_DISKAUDIOFILE=$AUDIO

# 3, first part: the title's music, silenced by M and back with M.
start_game
TITLE=$(title_window) || fail "the title window did not open"
wait_audio 88200 0  # half a second of music
press "$TITLE" m
# The synthesizer's echo dies away within a second of M: listen to the next one.
from=$(($(audio_size) + 176400))
wait_audio 176400 "$from"
loud=$(peak "$from" 176400)
[ "$loud" -lt 64 ] || fail "after M the title's music still sounds (peak $loud in 1 s)"
kill -0 "$GAME_PID" 2>/dev/null || fail "M on the title ended the program"
press "$TITLE" m
from=$(($(audio_size) + 16384))  # what was mixed before M may still come out
wait_audio 176400 "$from"
loud=$(peak "$from" 176400)
[ "$loud" -gt 2000 ] || fail "a second M did not bring the music back (peak $loud in 1 s)"
! shown_window Glouton 644x448 >/dev/null || fail "M on the title opened the game"

# 1. F11 on the title: the whole screen, the title in the middle, black bars.
press "$TITLE" F11
wait_geometry "$TITLE" "1024x768+0+0" ||
  fail "after F11 the title window is $(geometry_of "$TITLE"), expected the whole $SCREEN screen"
bx=$(((1024 - 706) / 2))
by=$(((768 - 468) / 2))
shot=$WORK/full.png
shoot root "$shot" $((bx + 5)) $((by + 5)) 255 0 0 || fail "no red title in the middle of the screen"
expect_pixel "$shot" "left bar" 5 384 0 0 0
expect_pixel "$shot" "top bar" 512 5 0 0 0
expect_pixel "$shot" "right bar" 1018 384 0 0 0
expect_pixel "$shot" "bottom bar" 512 762 0 0 0
expect_pixel "$shot" "bar just left of the title" $((bx - 1)) $((by + 5)) 0 0 0
expect_pixel "$shot" "the title's top-left corner" "$bx" "$by" 255 0 0
expect_pixel "$shot" "the title's bottom-right corner" $((bx + 705)) $((by + 467)) 255 0 0
expect_pixel "$shot" "the yellow box of the title" $((bx + 181)) $((by + 150)) 255 255 0
expect_pixel "$shot" "the GO button" $((bx + 40)) $((by + 428)) 192 192 192

# F11 again: the window it was.
press "$TITLE" F11
TITLE=$(window_named Glouton 706x468) || fail "after a second F11 the title window is not 706x468"
[ "$(geometry_of "$TITLE" | cut -d+ -f1)" = 706x468 ] || fail "the title did not come back to 706x468"
shoot "$TITLE" "$shot" 5 5 255 0 0 || fail "the title's corner is not red back in its window"

# Made larger, it comes back at that size; Alt+Enter is the same switch, not GO.
xdotool windowsize "$TITLE" 900 600
wait_geometry "$TITLE" "$(geometry_of "$TITLE" | sed 's/^[0-9x]*/900x600/')" ||
  fail "the title window did not take 900x600"
press "$TITLE" alt+Return
wait_geometry "$TITLE" "1024x768+0+0" || fail "Alt+Enter did not make the title fullscreen"
sleep 0.3
! shown_window Glouton 644x448 >/dev/null || fail "Alt+Enter on the title pressed GO"
press "$TITLE" alt+Return
for _ in $(seq 1 100); do
  [ "$(geometry_of "$TITLE" | cut -d+ -f1)" = 900x600 ] && break
  sleep 0.05
done
[ "$(geometry_of "$TITLE" | cut -d+ -f1)" = 900x600 ] ||
  fail "leaving fullscreen gave $(geometry_of "$TITLE"), not the 900x600 it had"

# Fullscreen again, and a click on GO through the bars.
press "$TITLE" F11
wait_geometry "$TITLE" "1024x768+0+0" || fail "F11 did not make the title fullscreen again"
shoot root "$shot" $((bx + 5)) $((by + 5)) 255 0 0 || fail "no title in the middle the second time"
xdotool mousemove 40 439 click 1
sleep 0.3
! shown_window Glouton 644x448 >/dev/null || fail "a click on the bar where GO would be opened the game"
xdotool mousemove $((bx + 40)) $((by + 439)) click 1
WIN=$(game_window) || fail "a click on GO in the fullscreen title opened no game window"

# 2. F11 in the game: the maze in the middle of the screen.
press "$WIN" F11
wait_geometry "$WIN" "1024x768+0+0" ||
  fail "after F11 the game window is $(geometry_of "$WIN"), expected the whole screen"
gx=$(((1024 - 644) / 2))
gy=$(((768 - 448) / 2))
shoot root "$shot" $((gx + 80)) $((gy + 80)) 0 255 255 || fail "no pellet where the maze should be"
expect_pixel "$shot" "left bar of the game" 5 384 0 0 0
expect_pixel "$shot" "top bar of the game" 512 5 0 0 0
expect_pixel "$shot" "the maze's corner tile" $((gx + 64)) $((gy + 64)) 0 0 255
expect_pixel "$shot" "the first life" $((gx + 64)) $((gy + 16)) 255 255 0
expect_pixel "$shot" "the CC button" $((gx + 12)) $((gy + 3)) 192 192 192
press "$WIN" F11
wait_geometry "$WIN" "$(geometry_of "$WIN" | sed 's/^[0-9x]*/644x448/')" ||
  fail "after a second F11 the game window is $(geometry_of "$WIN"), expected 644x448"

# 3, second part: M in the game silences the pellets it eats, and the game
# goes on: the glouton leaves its start cell (column 9, row 2) when steered.
import -window "$WIN" "$WORK/before.png" 2>/dev/null || fail "no screenshot of the game"
near "$(pixel "$WORK/before.png" 304 80)" 255 255 0 || fail "no glouton on its start cell"
press "$WIN" m
kill -0 "$GAME_PID" 2>/dev/null || fail "M in the game ended the program"
from=$(($(audio_size) + 16384))
press "$WIN" Left
wait_audio 88200 "$from"  # half a second, in which it eats pellets
loud=$(peak "$from" 88200)
[ "$loud" -lt 64 ] || fail "after M in the game its sounds still play (peak $loud)"
# A loaded machine may draw the step late: look again for up to 3 s.
obeyed=""
for _ in $(seq 1 30); do
  import -window "$WIN" "$WORK/after.png" 2>/dev/null &&
    near "$(pixel "$WORK/after.png" 304 80)" 0 0 255 && obeyed=1 && break
  sleep 0.1
done
[ -n "$obeyed" ] || fail "after M the glouton did not obey Left"
press "$WIN" m
from=$(($(audio_size) + 16384))
wait_audio 88200 "$from"
loud=$(peak "$from" 88200)
[ "$loud" -gt 2000 ] || fail "a second M in the game did not bring its sounds back (peak $loud)"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after M"
press "$WIN" Escape
expect_exit_0 Escape
echo "PASS: fullscreen test"
