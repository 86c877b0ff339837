#!/usr/bin/env bash
# Builds SDL2, SDL2_image, SDL2_mixer, SDL2_ttf and freetype for another
# target from Debian 12's own source packages, once, and prints the folder
# they are installed in. The page (emscripten) draws its texts from a glyph
# atlas: there SDL2_ttf and freetype are not built. A second call with the same target, versions and
# recipe finds them built and returns at once.
#
#   tools/cross/build-sdl.sh mingw64       64-bit Windows DLLs (MinGW-w64)
#   tools/cross/build-sdl.sh emscripten    static WebAssembly libraries (emcc)
#
# For emscripten, link the libraries by their paths (PREFIX/lib/libSDL2.a...):
# emcc reads -lSDL2 and its kin as a request for its own SDL ports, which it
# would download.
#
# The sources come through `apt-get source` with a private apt configuration
# (a deb-src list under the cache folder): /etc is left alone. The cache is
# $GLOUTON_CROSS_CACHE, by default ~/.cache/glouton-cross; JOBS sets the
# parallel jobs (2). The progress goes to standard error.
set -euo pipefail

target=${1:-}
case "$target" in
  mingw64 | emscripten) ;;
  *)
    echo "usage: $0 mingw64|emscripten" >&2
    exit 2
    ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
cache=${GLOUTON_CROSS_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/glouton-cross}
jobs=${JOBS:-2}
toolchain=$root/cmake/toolchains/mingw-w64-x86_64.cmake

# Debian 12's source packages, in build order, with the upstream version each must have.
packages=(libsdl2=2.26.5 freetype=2.12.1 libsdl2-image=2.6.3 libsdl2-mixer=2.6.2 libsdl2-ttf=2.20.1)

say() { echo "build-sdl: $*" >&2; }
die() {
  echo "build-sdl: ERROR: $*" >&2
  exit 1
}

need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool is not installed (packages.txt brings it: make deps)"
  done
}
need cmake make apt-get dpkg-source
case "$target" in
  mingw64) need x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix ;;
  emscripten)
    need emcc emcmake
    # Debian's emcc finds its JavaScript modules (acorn) there.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    ;;
esac

# The key: target, versions, and this recipe with its toolchain file (their
# comments aside: a new comment builds nothing again).
recipe=$(cat "$0" "$toolchain" | grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' | sha256sum | cut -c1-10)
if [ "$target" = emscripten ]; then
  packages=(libsdl2=2.26.5 libsdl2-image=2.6.3 libsdl2-mixer=2.6.2)
fi
versions=$(printf '%s\n' "${packages[@]}" | sed 's/.*=//' | paste -sd- -)
prefix=$cache/$target-$versions-$recipe
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/.lock"
say "waiting for the cache lock ($cache/.lock)"
flock 9
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi
started=$(date +%s)

# The sources, fetched and unpacked once for every target.
apt_dir=$cache/apt
sources=$cache/sources
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$sources"
cat >"$apt_dir/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
  -o APT::Sandbox::User=root -q)

# The unpacked source folder of package $1 at upstream version $2, if there is one.
source_dir() { find "$sources" -maxdepth 1 -type d -name "$1-$2*" | sort | tail -n 1; }

fetched=false
for entry in "${packages[@]}"; do
  name=${entry%=*}
  version=${entry#*=}
  [ -n "$(source_dir "$name" "$version")" ] && continue
  if ! $fetched; then
    say "fetching Debian's source package lists"
    apt-get "${apt_opts[@]}" update >&2 || die "apt-get update of the private source list failed"
    fetched=true
  fi
  say "fetching the source package $name"
  (cd "$sources" && apt-get "${apt_opts[@]}" source "$name" >&2) || die "apt-get source $name failed"
  [ -n "$(source_dir "$name" "$version")" ] ||
    die "Debian's $name is no longer $version: update the versions in $0"
done

# Options of each library: only what the game uses (XPM pictures, WAV sounds,
# OGG and MIDI music, TrueType text), no samples, nothing loaded at run time.
common=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix")
case "$target" in
  mingw64)
    cmake_cmd=(cmake)
    common+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain" -DGLOUTON_CROSS_PREFIX="$prefix"
      -DBUILD_SHARED_LIBS=ON
      # The DLLs carry the compiler's helpers: they need no DLL of MinGW's beside them.
      -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc")
    sdl=(-DSDL_SHARED=ON -DSDL_STATIC=OFF)
    midi=(-DSDL2MIXER_MIDI=ON -DSDL2MIXER_MIDI_NATIVE=ON)
    ;;
  emscripten)
    cmake_cmd=(emcmake cmake)
    # Built for size. SDL without its fast blitters, RLE and YUV code
    # (SDL_LEAN_AND_MEAN; its general blitter gives the same pixels for the
    # game's copies and see-through sprites, and the texts' edges are blended
    # by the game itself) but with its software renderer and the blitter of
    # 8-bit pictures (SDL_image reads an XPM of few colours as one); without OpenGL (the
    # game draws with the software renderer), the offscreen video driver,
    # HIDAPI joysticks, and the C library's iconv, whose Asian code pages
    # alone weighed 120 kB gzipped (SDL's own converter does UTF-8).
    common+=(-DBUILD_SHARED_LIBS=OFF -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_PREFIX_PATH="$prefix"
      -DCMAKE_C_FLAGS_RELEASE="-Oz -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-Oz -DNDEBUG")
    sdl=(-DSDL_SHARED=OFF -DSDL_STATIC=ON -DCMAKE_C_FLAGS="-DSDL_LEAN_AND_MEAN=1 -DSDL_VIDEO_RENDER_SW=1 -DSDL_HAVE_BLIT_1=1"
      -DSDL_OFFSCREEN=OFF -DSDL_HIDAPI=OFF -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_SYSTEM_ICONV=OFF)
    # The browser plays the title music as a rendered audio file.
    midi=(-DSDL2MIXER_MIDI=OFF)
    ;;
esac
options_libsdl2=("${sdl[@]}" -DSDL_TEST=OFF -DSDL_TESTS=OFF)
options_freetype=(-DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON)
options_libsdl2_image=(-DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF
  -DSDL2IMAGE_BACKEND_STB=OFF -DSDL2IMAGE_BACKEND_WIC=OFF -DSDL2IMAGE_XPM=ON -DSDL2IMAGE_BMP=ON
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_GIF=OFF -DSDL2IMAGE_JPG=OFF -DSDL2IMAGE_JXL=OFF
  -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNG=OFF -DSDL2IMAGE_PNM=OFF
  -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_TGA=OFF -DSDL2IMAGE_TIF=OFF
  -DSDL2IMAGE_WEBP=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XV=OFF)
options_libsdl2_mixer=(-DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=STB -DSDL2MIXER_WAVE=ON
  -DSDL2MIXER_MIDI_FLUIDSYNTH=OFF -DSDL2MIXER_MIDI_TIMIDITY=OFF "${midi[@]}")
options_libsdl2_ttf=(-DSDL2TTF_SAMPLES=OFF -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF)

work=$cache/build-$target-$recipe
rm -rf "$work" "$prefix"
for entry in "${packages[@]}"; do
  name=${entry%=*}
  src=$(source_dir "$name" "${entry#*=}")
  declare -n options="options_${name//-/_}"
  say "building $(basename "$src") for $target"
  "${cmake_cmd[@]}" -S "$src" -B "$work/$name" "${common[@]}" "${options[@]}" >"$work.$name.log" 2>&1 ||
    die "configuring $name failed: see $work.$name.log"
  cmake --build "$work/$name" -j"$jobs" >>"$work.$name.log" 2>&1 || die "building $name failed: see $work.$name.log"
  cmake --install "$work/$name" >>"$work.$name.log" 2>&1 || die "installing $name failed: see $work.$name.log"
  unset -n options
done
(cd "$sources" && ls -d ./*.dsc | sed 's|^\./||') >"$prefix/debian-sources.txt"
rm -rf "$work" "$work".*.log
touch "$prefix/.built"
say "built in $(($(date +%s) - started)) s into $prefix"
echo "$prefix"
