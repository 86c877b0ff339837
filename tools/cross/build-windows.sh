#!/usr/bin/env bash
# Cross-builds glouton.exe and glouton-sim.exe for 64-bit Windows with
# MinGW-w64 into BUILD_DIR (build-windows), with the SDL libraries built once
# from Debian's sources, and packs BUILD_DIR/glouton-VERSION-windows-x64.zip.
#   [GLOUTON_WERROR=ON] tools/cross/build-windows.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build-windows}
jobs=${JOBS:-2}

prefix=$("$root/tools/cross/build-sdl.sh" mingw64)
# zlib's inflate, linked into the programs that read share links.
zlib=$("$root/tools/cross/build-zlib.sh" mingw64)
# A build folder configured against other SDL libraries starts afresh.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qxF "GLOUTON_CROSS_PREFIX:UNINITIALIZED=$prefix" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
# GLOUTON_WERROR=ON makes our warnings errors, as make test does.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGLOUTON_WERROR="${GLOUTON_WERROR:-OFF}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-x86_64.cmake" -DGLOUTON_CROSS_PREFIX="$prefix" \
  -DGLOUTON_ZLIB_PREFIX="$zlib" >/dev/null
cmake --build "$build" -j"$jobs"
