#!/usr/bin/env bash
# Builds the game for web browsers with Debian's emscripten into BUILD_DIR
# (build-web): the page's files in BUILD_DIR/site (index.html, glouton.js,
# glouton.wasm, the sounds, each with its .gz and .br copy), and
# glouton-sim.js for node in BUILD_DIR. The page links no SDL; zlib's inflate
# is built once from Debian's sources (tools/cross/build-zlib.sh emscripten),
# then taken from the cache.
#   tools/cross/build-web.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build-web}
jobs=${JOBS:-2}
# Debian's emcc finds its JavaScript modules (acorn) there.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# zlib's inflate, for the share links: its own cache entry (tools/cross/build-zlib.sh).
zlib=$("$root/tools/cross/build-zlib.sh" emscripten)
# A build folder configured against the SDL libraries of older builds starts afresh.
if [ -f "$build/CMakeCache.txt" ] && grep -q "^GLOUTON_CROSS_PREFIX:" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
# Configured on every call (seconds): a changed setting here reaches an old build folder.
# Our code is compiled for speed (-O2), and so is the link (cmake/Web.cmake);
# without RTTI, which nothing reads: 2 kB less of glouton.wasm.
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR= \
  -DGLOUTON_ZLIB_PREFIX="$zlib" \
  -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG -fno-rtti" >/dev/null
cmake --build "$build" -j"$jobs"
