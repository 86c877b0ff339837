# Shared by the stress tests, over the window tests' own helpers.
. "$(dirname "${BASH_SOURCE[0]}")/../window/xvfb_lib.sh"

# The game and its X server ahead of everything else on the machine, when
# allowed (root): a real-time class, so that timer lateness measures the game
# and not the other work sharing the cores. The game uses a few percent of
# one core, so it takes nothing from the rest.
favour_game() {
  chrt -a -f -p 10 "$XVFB_PID" >/dev/null 2>&1 && chrt -a -f -p 10 "$GAME_PID" >/dev/null 2>&1 ||
    echo "note: could not raise the game's priority; its lateness includes the machine's load" >&2
}

# True when file $1 is empty or ends with a line feed.
whole_lines() { [ ! -s "$1" ] || [ "$(tail -c1 "$1" | od -An -c | tr -d ' ')" = '\n' ]; }
