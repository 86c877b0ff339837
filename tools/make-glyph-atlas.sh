#!/usr/bin/env bash
# Builds tools/glyph-atlas.cpp for this machine with its SDL2_ttf, and runs
# it: the controls' texts in Liberation Sans, checked against SDL_ttf, as a
# C++ source file. Run by the build (a cross-build too: the tool is native).
#   bash tools/make-glyph-atlas.sh FONT_DIR OUT.cpp
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fonts=$1
out=$2
tool=$out.tool
# emcmake's and the MinGW toolchain's variables are not for the native tool.
unset CC CXX CFLAGS CXXFLAGS LDFLAGS PKG_CONFIG_LIBDIR PKG_CONFIG_PATH
flags=$(pkg-config --cflags --libs sdl2 SDL2_ttf freetype2 harfbuzz) ||
  { echo "$0: SDL2_ttf's development files are missing (make deps)" >&2; exit 1; }
# shellcheck disable=SC2086
c++ -std=c++20 -O2 -I"$here/../src" "$here/glyph-atlas.cpp" -o "$tool" $flags
"$tool" "$fonts/LiberationSans-Bold.ttf" "$fonts/LiberationSans-Regular.ttf" "$out.new"
rm -f "$tool"
mv "$out.new" "$out"
