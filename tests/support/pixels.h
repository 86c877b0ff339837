// Pixel reads and rectangle comparisons for the tests of the drawing code.
#pragma once

#include <SDL.h>

#include <array>

#include "screen/fit.h"

namespace glouton::testing {

using Rgb = std::array<int, 3>;

// The colour of pixel (x, y) of a 32-bit surface.
inline Rgb at(const SDL_Surface& s, int x, int y) {
  const Uint32 v = static_cast<const Uint32*>(s.pixels)[y * s.pitch / 4 + x];
  Uint8 r, g, b;
  SDL_GetRGB(v, s.format, &r, &g, &b);
  return {r, g, b};
}

inline bool same(const SDL_Rect& a, const SDL_Rect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

inline bool same(const PixelRect& a, const PixelRect& b) {
  return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

}  // namespace glouton::testing
