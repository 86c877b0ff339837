#!/usr/bin/env bash
# Builds zlib's inflate for another target from Debian 12's own source
# package, once, as a static libz.a with zlib.h, and prints the folder it is
# installed in. The programs only read share links (src/program/replay_link.cpp),
# so only inflate is built: no deflate, no gzip files, no CRC-32 tables.
# A second call with the same target, version and recipe finds it built and
# returns at once.
#
#   tools/cross/build-zlib.sh mingw64       for glouton-sim.exe (MinGW-w64)
#   tools/cross/build-zlib.sh emscripten    for the page and glouton-sim.js (emcc)
#
# Its own cache entry beside the SDL libraries of tools/cross/build-sdl.sh,
# whose sources and private apt configuration it shares: the cache is
# $GLOUTON_CROSS_CACHE, by default ~/.cache/glouton-cross. The progress goes
# to standard error.
set -euo pipefail

target=${1:-}
case "$target" in
  mingw64)
    cc=x86_64-w64-mingw32-gcc-posix
    ar=x86_64-w64-mingw32-ar
    cflags=(-O2)
    ;;
  emscripten)
    cc=emcc
    ar=emar
    cflags=(-Oz)
    # Debian's emcc finds its JavaScript modules (acorn) there.
    export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
    ;;
  *)
    echo "usage: $0 mingw64|emscripten" >&2
    exit 2
    ;;
esac

cache=${GLOUTON_CROSS_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/glouton-cross}
# Debian 12's source package as the release has it (bookworm, not a later
# update of it: every mirror holds that one), and its upstream version.
name=zlib
suite=bookworm
version=1.2.13
# Inflate and what it calls. NO_GZIP leaves the gzip wrapper out of inflate,
# and with it every call to crc32().
sources=(inflate.c inffast.c inftrees.c adler32.c zutil.c)

say() { echo "build-zlib: $*" >&2; }
die() {
  echo "build-zlib: ERROR: $*" >&2
  exit 1
}
for tool in "$cc" "$ar" apt-get dpkg-source flock; do
  command -v "$tool" >/dev/null 2>&1 || die "$tool is not installed (packages.txt brings it: make deps)"
done

# The key: target, version and this recipe (its comments aside).
recipe=$(grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$0" | sha256sum | cut -c1-10)
prefix=$cache/zlib-$target-$version-$recipe
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

# The source, fetched and unpacked once for every target, as build-sdl.sh does.
apt_dir=$cache/apt
unpacked=$cache/sources
source_dir() { find "$unpacked" -maxdepth 1 -type d -name "$name-$version*" | sort | tail -n 1; }
if [ -z "$(source_dir)" ]; then
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$unpacked"
  cat >"$apt_dir/sources.list" <<'EOF'
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security bookworm-security main
EOF
  apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o Debug::NoLocking=1
    -o APT::Sandbox::User=root -q)
  say "fetching Debian's source package lists"
  apt-get "${apt_opts[@]}" update >&2 || die "apt-get update of the private source list failed"
  say "fetching the source package $name"
  (cd "$unpacked" && apt-get "${apt_opts[@]}" source "$name/$suite" >&2) || die "apt-get source $name failed"
  [ -n "$(source_dir)" ] || die "Debian's $name is no longer $version: update the version in $0"
fi
src=$(source_dir)

say "building inflate of $(basename "$src") for $target"
work=$cache/build-zlib-$target-$recipe
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/lib" "$prefix/include"
objects=()
for file in "${sources[@]}"; do
  "$cc" "${cflags[@]}" -DNDEBUG -DNO_GZIP -I"$src" -c "$src/$file" -o "$work/${file%.c}.o" ||
    die "compiling $file failed"
  objects+=("$work/${file%.c}.o")
done
"$ar" rcs "$prefix/lib/libz.a" "${objects[@]}"
cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
(cd "$unpacked" && ls -d ./"$name"_*.dsc | sed 's|^\./||') >"$prefix/debian-sources.txt"
rm -rf "$work"
touch "$prefix/.built"
say "built into $prefix"
echo "$prefix"
