#!/usr/bin/env bash
# Without a display the game says so and exits 1 instead of running unseen.
# Usage: no_display_test.sh GLOUTON
set -u
GLOUTON=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy \
  timeout 20 "$GLOUTON" 2>"$err" >/dev/null
status=$?
[ "$status" = 1 ] || { echo "FAIL: exit status $status, expected 1" >&2; cat "$err" >&2; exit 1; }
grep -q '^glouton: no display found (DISPLAY is not set)' "$err" ||
  { echo "FAIL: no clear message:" >&2; cat "$err" >&2; exit 1; }
echo "PASS: no display"
