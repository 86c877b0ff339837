#!/usr/bin/env bash
# The Debian package: made as `make deb` makes it, checked by lintian (no
# error, no warning), unpacked with dpkg -x into a private root, its files in
# the usual places, its desktop entry and AppStream metadata valid, one
# version throughout, and the unpacked game playing from another working
# directory under Xvfb.
#   deb_test.sh BUILD_DIR SOURCE_DIR
set -u
BUILD_DIR=$1
SOURCE_DIR=$2
. "$SOURCE_DIR/tests/window/xvfb_lib.sh"
need_tools cmake cpack dpkg-deb dpkg-buildflags strip lintian appstreamcli desktop-file-validate \
  Xvfb xdpyinfo xwininfo xdotool convert identify compare

# The package's own Release build, kept in the build folder between runs.
bash "$SOURCE_DIR/packaging/make-deb.sh" "$SOURCE_DIR" "$BUILD_DIR/deb" 2 >"$WORK/make-deb.log" 2>&1 ||
  { cat "$WORK/make-deb.log" >&2; fail "make-deb.sh failed"; }
deb=$(ls "$BUILD_DIR"/deb/glouton_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no .deb was made"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libsdl2-2.0-0 libsdl2-mixer-2.0-0; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib: $depends"
done
grep -q -- "-dev" <<<"$depends" && fail "the package depends on a development package: $depends"
# The texts and pictures are built in: no font, nothing that draws one, no picture reader.
for unwanted in ttf fontconfig freetype harfbuzz fonts- image; do
  grep -q -- "$unwanted" <<<"$depends" && fail "the package depends on $unwanted: $depends"
done

lintian --fail-on error,warning --display-info "$deb" >"$WORK/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$WORK/lintian.log")"
sed 's/^/lintian: /' "$WORK/lintian.log"

root="$WORK/root"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
icons=$(printf 'usr/share/icons/hicolor/%sx%s/apps/glouton.png ' 16 16 32 32 48 48 64 64 128 128 256 256)
for f in usr/games/glouton usr/games/glouton-sim usr/share/glouton/gloutonone/short34.wav \
  usr/share/glouton/gloutonone/Halleluj.wav usr/share/glouton/gloutonone/musique-bis.mid \
  usr/share/applications/glouton.desktop usr/share/metainfo/org.example.glouton.metainfo.xml \
  usr/share/pixmaps/glouton.xpm $icons usr/share/man/man6/glouton.6.gz \
  usr/share/man/man6/glouton-sim.6.gz usr/share/doc/glouton/copyright \
  usr/share/doc/glouton/changelog.gz; do
  [ -s "$root/$f" ] || fail "the package lacks $f"
done
desktop=$root/usr/share/applications/glouton.desktop
grep -q '^Exec=glouton$' "$desktop" || fail "desktop entry Exec"
grep -q '^Icon=glouton$' "$desktop" || fail "desktop entry Icon"
desktop-file-validate "$desktop" || fail "desktop entry invalid"
# The metadata with the desktop entry it launches; warnings fail too.
appstreamcli validate-tree --no-net "$root" >"$WORK/appstream.log" 2>&1 ||
  fail "appstreamcli: $(cat "$WORK/appstream.log")"
sed 's/^/appstreamcli: /' "$WORK/appstream.log"

# One version in the package, its changelog and its AppStream releases.
version=$(dpkg-deb -f "$deb" Version)
logged=$(zcat "$root/usr/share/doc/glouton/changelog.gz" | sed -n '1s/^glouton (\([^)]*\)).*/\1/p')
released=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$root"/usr/share/metainfo/*.xml | head -1)
[ "$logged" = "$version" ] || fail "the changelog's latest version is '$logged', the package's $version"
[ "$released" = "$version" ] || fail "the AppStream latest release is '$released', the package's $version"

# The unpacked simulator and game run from any working directory.
mkdir -p "$WORK/elsewhere"
cd "$WORK/elsewhere" || fail "no folder"
"$root/usr/games/glouton-sim" --until 0 | grep -q '"ev":"load"' || fail "the unpacked glouton-sim"
"$root/usr/games/glouton" --version | grep -q glouton || fail "glouton --version"

GLOUTON="$root/usr/games/glouton"
start_xvfb
cd "$WORK/elsewhere" || fail "no folder"
SDL_AUDIODRIVER=dummy "$GLOUTON" >"$WORK/game.out" 2>"$WORK/game.err" &
GAME_PID=$!
win=$(enter_game)
sleep 0.5
import -window "$win" "$WORK/shot.png" 2>/dev/null || fail "no screenshot"
shows_picture "$WORK/shot.png" 32 32 "$SOURCE_DIR/assets/mur.xpm" ||
  fail "no wall tile at cell (1, 1)"
near "$(pixel "$WORK/shot.png" 80 80)" 0 255 255 || fail "no pellet at cell (2, 2)"
xdotool key Escape
wait_game 10
[ "$GAME_STATUS" = 0 ] || fail "the unpacked game ended with $GAME_STATUS"
# The game's own warning lines, not an audio library's chatter.
grep -q '^glouton: ' "$WORK/game.err" && fail "the unpacked game warned: $(cat "$WORK/game.err")"
echo "ok: $(basename "$deb") unpacked and played"
