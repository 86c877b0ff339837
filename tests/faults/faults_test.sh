#!/usr/bin/env bash
# The real game against broken surroundings. A missing or broken sound, music,
# soundfont or audio device: the game plays silent, with one warning line per
# missing thing, and Escape still ends it with status 0. (The pictures and
# the texts are built into the game: none can go missing.)
#   faults_test.sh GLOUTON SOURCE_DIR
set -u
BUILT=$1
. "$2/tests/window/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo xdotool
DATA=$(dirname "$BUILT")
start_xvfb

# A private copy of the game and its data, so that the data beside the
# executable is the copy the case breaks.
fresh_copy() {
  CASE="$WORK/$1"
  rm -rf "$CASE"
  mkdir -p "$CASE"
  cp "$BUILT" "$CASE/glouton"
  cp -r "$DATA/gloutonone" "$CASE/"
  GLOUTON="$CASE/glouton"
}

# Plays the copy through the title into a game window and out with Escape,
# then checks the status and that stderr holds exactly $2 lines matching $3.
plays_silent() {
  local name=$1 lines=$2 pattern=$3 audio=${4:-dummy}
  (
    cd "$CASE" || exit 1
    if [ "$audio" = unset ]; then
      env -u SDL_AUDIODRIVER "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err"
    else
      SDL_AUDIODRIVER=$audio "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err"
    fi
  ) &
  GAME_PID=$!
  enter_game >/dev/null
  xdotool key Left
  sleep 0.6
  xdotool key Escape
  wait_game 10
  [ "$GAME_STATUS" = 0 ] || fail "$name: the game ended with $GAME_STATUS"
  # Only the game's own lines: an audio library may add its own chatter.
  local total matching
  total=$(grep -c '^glouton: ' "$WORK/game.err")
  matching=$(grep -c -E "$pattern" "$WORK/game.err")
  [ "$total" = "$lines" ] && [ "$matching" = "$lines" ] ||
    fail "$name: expected $lines warning line(s) matching '$pattern', got: $(cat "$WORK/game.err")"
  echo "ok: $name"
}

fresh_copy no-sound-folder
rm -rf "$CASE/gloutonone"
plays_silent "no sound folder" 6 "not found: .* not be heard"

fresh_copy one-wave-missing
rm "$CASE/gloutonone/silly.wav"
plays_silent "one WAVE missing" 1 "silly.wav not found"

fresh_copy truncated-wave
head -c 30 "$DATA/gloutonone/short34.wav" >"$CASE/gloutonone/short34.wav"
plays_silent "a truncated WAVE" 1 "cannot read sound file .*short34.wav"

fresh_copy no-music
rm "$CASE/gloutonone/musique-bis.mid"
plays_silent "no music file" 1 "musique-bis.mid not found"

fresh_copy no-device
plays_silent "no audio device" 1 "no sound device" unset

fresh_copy failing-driver
plays_silent "an audio driver that fails to open" 1 "no sound device" alsa

# The soundfonts are system files: hidden in a private mount namespace.
fresh_copy no-soundfont
(cd "$CASE" && SDL_AUDIODRIVER=dummy without_folders /usr/share/sounds -- "$GLOUTON" \
  >"$WORK/game.out" 2>"$WORK/game.err") &
GAME_PID=$!
enter_game >/dev/null
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "no soundfont: status $GAME_STATUS"
[ "$(wc -l <"$WORK/game.err")" = 1 ] && grep -q "no MIDI soundfont found" "$WORK/game.err" ||
  fail "no soundfont: $(cat "$WORK/game.err")"
echo "ok: no soundfont"

GLOUTON=$BUILT
(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err") &
GAME_PID=$!
wait_game 10
[ "$GAME_STATUS" = 1 ] && grep -q "no display" "$WORK/game.err" || fail "no display: $GAME_STATUS"
echo "ok: no display"
