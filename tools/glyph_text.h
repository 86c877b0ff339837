// The atlas tool's check: text drawn from the glyph atlas as an SDL surface,
// the same ARGB surface SDL_ttf's TTF_RenderUTF8_Blended gives (the text's
// colour with its coverage as alpha), to compare with SDL_ttf's own, pixel
// for pixel. The game draws from the same layout (draw/controls.cpp).
#pragma once

#include <SDL.h>

#include <string_view>

#include "screen/glyph_layout.h"

namespace glouton::platform {

// The text in `colour` on a see-through ARGB surface, as SDL_ttf's blended
// rendering makes it; null for an empty text.
inline SDL_Surface* render_glyph_text(const GlyphFont& font, std::string_view text,
                                      SDL_Color colour) {
  const TextMask mask = lay_out(font, text);
  if (mask.width == 0) return nullptr;
  SDL_Surface* s =
      SDL_CreateRGBSurfaceWithFormat(0, mask.width, mask.height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  const Uint32 rgb = (Uint32{colour.r} << 16) | (Uint32{colour.g} << 8) | colour.b;
  for (int y = 0; y < mask.height; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < mask.width; ++x)
      row[x] = rgb | (Uint32{mask.alpha[y * mask.width + x]} << 24);
  }
  return s;
}

}  // namespace glouton::platform
