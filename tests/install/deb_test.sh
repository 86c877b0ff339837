#!/usr/bin/env bash
# The Debian package: built with CPack, unpacked with dpkg -x into a private
# root, its files in the usual places, its dependencies the runtime packages,
# and the unpacked game playing from another working directory under Xvfb.
#   deb_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
. "$2/tests/window/xvfb_lib.sh"
need_tools cpack dpkg-deb Xvfb xdpyinfo xwininfo xdotool convert

cd "$BUILD_DIR" || fail "no build folder"
cpack -G DEB -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$WORK"/pkg/glouton_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no .deb was made"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
grep -q -- "-dev" <<<"$depends" && fail "the package depends on a development package: $depends"

root="$WORK/root"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
for f in usr/bin/glouton usr/bin/glouton-sim \
  usr/share/glouton/assets/glouton.xpm usr/share/glouton/assets/face.xpm \
  usr/share/glouton/assets/score.xpm usr/share/glouton/gloutonone/short34.wav \
  usr/share/glouton/gloutonone/Halleluj.wav usr/share/glouton/gloutonone/musique-bis.mid \
  usr/share/applications/glouton.desktop usr/share/pixmaps/glouton.xpm \
  usr/share/man/man6/glouton.6 usr/share/man/man6/glouton-sim.6; do
  [ -s "$root/$f" ] || fail "the package lacks $f"
done
grep -q '^Exec=glouton$' "$root/usr/share/applications/glouton.desktop" || fail "desktop entry Exec"
if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$root/usr/share/applications/glouton.desktop" || fail "desktop entry invalid"
fi

# The unpacked simulator and game run from any working directory.
mkdir -p "$WORK/elsewhere"
cd "$WORK/elsewhere" || fail "no folder"
"$root/usr/bin/glouton-sim" --until 0 | grep -q '"ev":"load"' || fail "the unpacked glouton-sim"
"$root/usr/bin/glouton" --version | grep -q glouton || fail "glouton --version"

GLOUTON="$root/usr/bin/glouton"
start_xvfb
cd "$WORK/elsewhere" || fail "no folder"
SDL_AUDIODRIVER=dummy "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
win=$(enter_game)
sleep 0.5
import -window "$win" "$WORK/shot.png" 2>/dev/null || fail "no screenshot"
wall=$(pixel "$WORK/shot.png" 40 40)
near "$wall" 0 0 255 && fail "no wall tile at cell (1, 1): $wall"
near "$(pixel "$WORK/shot.png" 80 80)" 0 255 255 || fail "no pellet at cell (2, 2)"
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "the unpacked game ended with $GAME_STATUS"
grep -qi "warning" "$WORK/game.err" && fail "the unpacked game warned: $(cat "$WORK/game.err")"
echo "ok: $(basename "$deb") unpacked and played"
