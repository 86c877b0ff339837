# Shared by the window tests: a private Xvfb per test, the game under it, pixel
# reads from screenshots, and a clean-up that always kills both.
# Sourced by the test scripts; they set GLOUTON (the executable) first.

WORK=$(mktemp -d "${TMPDIR:-/tmp}/glouton-window.XXXXXX")
XVFB_PID=
GAME_PID=

fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/game.err" ] && sed 's/^/  game stderr: /' "$WORK/game.err" >&2
  [ -s "$WORK/xvfb.log" ] && sed 's/^/  Xvfb: /' "$WORK/xvfb.log" >&2
  exit 1
}

cleanup() {
  # The game ignores a polite kill while a modal box holds its loop.
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null && wait "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# need_tools and missing: a tool that is not installed skips the test, or
# fails it under `make test`, naming the Debian package.
. "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../support/replay_check.sh"

# Starts Xvfb on the first free display number and exports DISPLAY. Two tests
# may try the same number at once: the server is ours only when the number's
# lock file holds our Xvfb's process id.
start_xvfb() {
  local n i
  for n in $(seq 90 189); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break  # another server has this number
      if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$XVFB_PID" ] &&
        DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  fail "could not start Xvfb"
}

# Runs the game in $WORK, silent unless GAME_AUDIODRIVER names another of
# SDL's audio drivers.
start_game() {
  cd "$WORK" || fail "no work folder"
  SDL_AUDIODRIVER=${GAME_AUDIODRIVER:-dummy} "$GLOUTON" "$@" >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
}

# without_folders DIR... -- COMMAND ARG...: runs COMMAND (exec, same process)
# with each DIR that exists hidden under an empty tmpfs, in a private mount
# namespace; a user namespace too when not root. Fails the test if it cannot.
without_folders() {
  local mounts=() flags=-m
  while [ "$1" != -- ]; do
    [ -d "$1" ] && mounts+=("$1")
    shift
  done
  shift
  # Nothing there to hide: nothing to do.
  [ "${#mounts[@]}" -gt 0 ] || exec "$@"
  [ "$(id -u)" = 0 ] || flags=-rm
  unshare "$flags" true 2>/dev/null || missing util-linux "cannot make a mount namespace to hide \
${mounts[*]} (unshare -m also needs a root that is a mount point, as a chroot's may not be)"
  exec unshare "$flags" bash -c 'for d in "${@:2:$1}"; do mount -t tmpfs none "$d" || exit 125; done
    exec "${@:$(($1 + 2))}"' hide "${#mounts[@]}" "${mounts[@]}" "$@"
}

# The ids of the windows titled exactly $1, and sized $2 (as 706x468) if given.
# Read from the window tree: xdotool does not match a title stored as
# UTF8_STRING, as SDL's message box stores it.
windows_named() {
  xwininfo -root -tree 2>/dev/null |
    awk -v t="\"$1\":" -v size="${2:-}" 'index($0, t) && (size == "" || index($0, " " size "+")) { print $1 }'
}

# The id of a shown window titled exactly $1 (and sized $2), if there is one now.
shown_window() {
  local id
  for id in $(windows_named "$@"); do
    if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# The same, waiting up to 10 s for it.
window_named() {
  local i
  for i in $(seq 1 100); do
    shown_window "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The two windows by their sizes: both are titled Glouton.
title_window() { window_named Glouton 706x468; }
game_window() { window_named Glouton 644x448; }

# The replay viewer's window, the game's size, titled "Glouton — revoir ...",
# waiting up to 10 s for it.
viewer_window() {
  local id
  for _ in $(seq 1 100); do
    for id in $(xwininfo -root -tree 2>/dev/null | awk '/ 644x448\+/ { print $1 }'); do
      xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -q 'revoir' && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}

# Presses Enter on the title window ("GO !") and prints the game window's id.
enter_game() {
  local title
  title=$(title_window) || fail "no title window"
  xdotool windowfocus "$title" 2>/dev/null
  xdotool key Return
  game_window || fail "Enter on the title window opened no game window"
}

# True while a window titled exactly $1 exists.
window_exists() {
  xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\":"
}

# Clicks "CC" in the game window $1, leaves the information box open $2
# seconds, closes it with Return and gives the game window the keys again.
cc_box() {
  local box
  xdotool mousemove --window "$1" 10 10 click 1
  box=$(window_named "Un petit jeu sympa") || fail "clicking CC showed no information box"
  sleep "$2"
  xdotool windowfocus "$box" 2>/dev/null
  xdotool key --window "$box" Return
  for _ in $(seq 1 50); do
    window_exists "Un petit jeu sympa" || break
    sleep 0.1
  done
  ! window_exists "Un petit jeu sympa" || fail "the information box did not close"
  xdotool windowfocus "$1" 2>/dev/null
}

# Waits up to $1 seconds for the game to end and sets GAME_STATUS to its exit
# status ("timeout" if it goes on). Not in a subshell: only the parent can wait.
wait_game() {
  local i
  GAME_STATUS=timeout
  for i in $(seq 1 $(($1 * 20))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      GAME_STATUS=$?
      GAME_PID=
      return 0
    fi
    sleep 0.05
  done
}

# Waits up to 10 s for the game to end; fails unless it ended with 0 after $1.
expect_exit_0() {
  wait_game 10
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after $1, expected 0"
}

# Escape to window $1: the program must end with 0.
escape_ends() {
  xdotool windowfocus "$1" 2>/dev/null
  xdotool key Escape
  expect_exit_0 "${2:-Escape}"
}

need_close_frame() {
  [ -x "$CLOSE_FRAME" ] || missing libx11-dev "no close_frame helper: the build found no X11 headers"
}

# The bytes SDL's disk audio driver has written to $AUDIO so far.
audio_size() { stat -c %s "$AUDIO" 2>/dev/null || echo 0; }
# Waits until the output has grown $1 bytes past offset $2.
wait_audio() {
  for _ in $(seq 1 200); do
    [ "$(audio_size)" -ge $(($2 + $1)) ] && return 0
    sleep 0.05
  done
  fail "the audio output stopped growing at $(audio_size) bytes"
}

# Shoots window $1 ("root": the screen) into $2 until its pixel ($3,$4) is near
# R G B ($5 $6 $7), or with "not" as $8 is not: a frame may come a moment
# after the window. False after 5 s.
shoot() {
  local want=0
  [ "${8:-}" = not ] && want=1
  for _ in $(seq 1 50); do
    if import -window "$1" "$2" 2>/dev/null; then
      near "$(pixel "$2" "$3" "$4")" "$5" "$6" "$7"
      [ $? = "$want" ] && return 0
    fi
    sleep 0.1
  done
  return 1
}

# FILE NAME X Y R G B: pixel (X, Y) of FILE must be near R G B.
expect_pixel() {
  local got
  got=$(pixel "$1" "$3" "$4")
  near "$got" "$5" "$6" "$7" || fail "$2: pixel ($3,$4) is $got, expected near $5,$6,$7"
}

# "R,G,B" of pixel (X, Y) of a picture file.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# How many pixels of the screenshot's rectangle W H X Y are of colour #RRGGBB.
count_colour() {
  convert "$1" -crop "${2}x${3}+${4}+${5}" +repage txt:- | grep -c "$6"
}

# Waits for the title window $1's first frame, shot into $2, and checks it:
# red, the yellow box of the title with magenta letters, the grey "GO !" button.
check_title_pixels() {
  local magenta
  shoot "$1" "$2" 5 5 255 0 0 || fail "the title's background is $(pixel "$2" 5 5), not red"
  near "$(pixel "$2" 700 462)" 255 0 0 || fail "the title's corner is not red"
  near "$(pixel "$2" 181 150)" 255 255 0 || fail "no yellow box of the title at (181,150)"
  magenta=$(count_colour "$2" 286 77 179 148 '#FF00FF')
  [ "$magenta" -gt 1000 ] || fail "only $magenta magenta pixels in the title's box"
  near "$(pixel "$2" 40 428)" 192 192 192 || fail "no grey GO button at (40,428)"
}

# Fails unless screenshot $1 of the title is the drawing module's title
# (tests/sim/pictures/title.png), pixel for pixel but the rows the face
# slides along (267 to 331), which move on their own.
title_is_drawn() {
  local differ mask='rectangle 0,267 705,331'
  convert "$1" -fill black -draw "$mask" "$WORK/title_shown.png" &&
    convert "$SOURCE_DIR/tests/sim/pictures/title.png" -fill black -draw "$mask" "$WORK/title_drawn.png" ||
    fail "cannot read the title's screenshot"
  differ=$(compare -metric AE "$WORK/title_shown.png" "$WORK/title_drawn.png" null: 2>&1)
  [ "$differ" = 0 ] || fail "$differ pixels of the title window differ from its drawing"
}

# True when the rectangle at ($2, $3) of screenshot $1 is picture $4 (an XPM of
# the game's art), pixel for pixel. A picture that cannot be read fails the test.
shows_picture() {
  local size differ
  size=$(identify -format '%wx%h' "$4" 2>&1) || fail "cannot read $4: $size"
  convert "$1" -crop "${size}+$2+$3" +repage "$WORK/tile.png" || fail "cannot crop $1"
  differ=$(compare -metric AE "$WORK/tile.png" "$4" null: 2>&1)
  case $? in
  0) return 0 ;;
  1) echo "$differ pixels differ from $(basename "$4")" >&2 && return 1 ;;
  *) fail "compare could not compare with $4: $differ" ;;
  esac
}

# True when "R,G,B" is within 60 of the colour R G B on each channel.
near() {
  local r g b
  IFS=, read -r r g b <<<"$1"
  [ $((r > $2 ? r - $2 : $2 - r)) -le 60 ] && [ $((g > $3 ? g - $3 : $3 - g)) -le 60 ] &&
    [ $((b > $4 ? b - $4 : $4 - b)) -le 60 ]
}
