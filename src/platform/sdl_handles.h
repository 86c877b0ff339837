// Owning handles for the SDL objects the platform keeps.
#pragma once

#include <SDL.h>

#include <memory>

namespace glouton::platform {

struct SdlDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SdlDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, SdlDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using WindowPtr = std::unique_ptr<SDL_Window, SdlDeleter>;

// Every picture the platform blits is in this format: alpha keeps the
// transparent pixels of the sprites.
inline constexpr Uint32 pixel_format = SDL_PIXELFORMAT_ARGB8888;

}  // namespace glouton::platform
