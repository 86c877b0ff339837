#!/usr/bin/env bash
# Makes the README's pictures in docs/pictures/: the maze as glouton-sim draws
# it at a moment of a key script, the title window as the real program shows
# it under Xvfb, and, given the page's folder and the browser test's
# node_modules, the page on a phone held upright in headless Chromium.
# The tests check them: tests/sim/picture_test.cpp (the maze), the title test
# (tests/window/title_test.sh) and the browser test (the phone).
# usage: tools/make-doc-pictures.sh BUILD_DIR [SITE_DIR NPM_DIR]
# (the browser test serves the page with BUILD_DIR/glouton-board)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: make-doc-pictures.sh BUILD_DIR [SITE_DIR NPM_DIR]}" && pwd)
out=$src/docs/pictures
[ $# -lt 3 ] || { site=$(cd "$2" && pwd) && npm=$(cd "$3" && pwd); }
mkdir -p "$out"

# The maze: the moment of steer.keys that the picture test names.
"$build/glouton-sim" --keys "$src/tests/sim/scripts/steer.keys" --snapshot 8000 "$out/maze.png" --quiet >/dev/null

# The title: its first frame in the real window (its face slides from there).
GLOUTON=$build/glouton
. "$src/tests/window/xvfb_lib.sh"
need_tools Xvfb xdpyinfo xwininfo import
start_xvfb
start_game
title=$(title_window) || fail "the title window did not open"
shoot "$title" "$WORK/title.png" 5 5 255 0 0 || fail "the title did not show"
convert "$WORK/title.png" -strip "$out/title.png"

# The page on a phone: the browser test writes it when asked to.
if [ $# -ge 3 ]; then
  GLOUTON_DOC_PICTURE=$out/phone.png node "$src/tests/web/browser_test.mjs" chromium "$site" "$npm" "$src" \
    "$build/glouton-board" |
    grep 'picture' || fail "the browser test wrote no picture of the phone"
fi
ls -l "$out"
