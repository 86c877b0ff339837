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

# Skips the test (ctest's code 77) when a tool it needs is not installed.
need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed" >&2; exit 77; }
  done
}

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
      if [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$XVFB_PID" ] &&
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

# Runs the game in $WORK, where the art is reachable (beside the executable,
# or linked from the source tree while the build tree has none), silent.
start_game() {
  cd "$WORK" || fail "no work folder"
  if [ ! -f "$(dirname "$GLOUTON")/assets/glouton.xpm" ] && [ -n "${SOURCE_DIR:-}" ]; then
    ln -s "$SOURCE_DIR/assets" assets
  fi
  SDL_AUDIODRIVER=dummy "$GLOUTON" "$@" >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
}

# The id of a shown window whose title is exactly $1, waiting up to 10 s. Read
# from the window tree: xdotool does not match a title stored as UTF8_STRING,
# as SDL's message box stores it.
window_named() {
  local i id
  for i in $(seq 1 100); do
    id=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" 'index($0, t) { print $1; exit }')
    if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
}

# True while a window titled exactly $1 exists.
window_exists() {
  xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\":"
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

# "R,G,B" of pixel (X, Y) of a picture file.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# True when "R,G,B" is within 60 of the colour R G B on each channel.
near() {
  local r g b
  IFS=, read -r r g b <<<"$1"
  [ $((r > $2 ? r - $2 : $2 - r)) -le 60 ] && [ $((g > $3 ? g - $3 : $3 - g)) -le 60 ] &&
    [ $((b > $4 ? b - $4 : $4 - b)) -le 60 ]
}
