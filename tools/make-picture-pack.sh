#!/usr/bin/env bash
# Builds tools/picture-pack.cpp for this machine with its SDL2_image, and runs
# it: the game's pictures as a C++ source file built into every program. Run by the build
# (a cross-build too: the tool is native).
#   bash tools/make-picture-pack.sh OUT.cpp SOURCE_DIR NAME...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
shift
tool=$out.tool
# emcmake's and the MinGW toolchain's variables are not for the native tool.
unset CC CXX CFLAGS CXXFLAGS LDFLAGS PKG_CONFIG_LIBDIR PKG_CONFIG_PATH
flags=$(pkg-config --cflags --libs sdl2 SDL2_image) ||
  { echo "$0: SDL2_image's development files are missing (make deps)" >&2; exit 1; }
# shellcheck disable=SC2086
c++ -std=c++20 -O2 -I"$here/../src" "$here/picture-pack.cpp" -o "$tool" $flags
"$tool" "$out.new" "$@"
rm -f "$tool"
mv "$out.new" "$out"
