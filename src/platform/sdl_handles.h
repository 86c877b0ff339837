// Owning handles for the SDL objects the platform keeps.
#pragma once

#include <SDL.h>
#ifndef GLOUTON_GLYPH_ATLAS
#include <SDL_ttf.h>
#endif

#include <memory>

#ifdef GLOUTON_GLYPH_ATLAS
namespace glouton {
struct GlyphFont;  // screen/glyph_layout.h
}  // namespace glouton
#endif

namespace glouton::platform {

// A font of the controls: SDL_ttf's, or one of the glyph atlas made at build
// time (platform/glyph_text.h), which needs neither SDL_ttf nor FreeType.
#ifdef GLOUTON_GLYPH_ATLAS
using Font = const GlyphFont;
#else
using Font = TTF_Font;
#endif

struct SdlDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
#ifdef GLOUTON_GLYPH_ATLAS
  void operator()(Font*) const {}  // the atlas's fonts last as long as the program
#else
  void operator()(TTF_Font* f) const {
    TTF_CloseFont(f);
  }
#endif
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;
using FontPtr = std::unique_ptr<Font, SdlDeleter>;

// Every picture the platform blits is in this format: alpha keeps the
// transparent pixels of the sprites.
inline constexpr Uint32 pixel_format = SDL_PIXELFORMAT_ARGB8888;

}  // namespace glouton::platform
