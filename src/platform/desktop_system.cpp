// The desktop's and Windows' windows (platform/window_system.h).
#include <string>

#include "audio/warn.h"
#include "platform/scaled_window.h"
#include "platform/window_system.h"

namespace glouton::platform::system {

Uint32 new_window_flags() {
  // On a HiDPI screen the window is as large in points, and drawn in all its
  // pixels: the picture's scale comes from the pixels, and stays sharp.
  return SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
}

int min_fill() {
  return 0;  // a desktop window keeps its whole scale, bars and all
}

Uint32 content_format() {
  return pixel_format;
}

void window_made(ScaledWindow& window) {
  SDL_SetWindowMinimumSize(window.window(), window.content_size().w, window.content_size().h);
}

void window_gone(ScaledWindow&) {}

double units_per_css_pixel(SDL_Window*) {
  return 1;  // a desktop window counts in points already
}

void upload(SDL_Texture* texture, const SDL_Rect& part, const std::uint32_t* first, int pitch) {
  SDL_UpdateTexture(texture, &part, first, pitch * 4);
}

void present(SDL_Window*, SDL_Renderer* renderer, const SDL_Rect&) {
  SDL_RenderPresent(renderer);
}

void toggle_fullscreen(SDL_Window* window) {
  // The desktop's own mode: no mode change, the screen's size, the bars ours.
  // Leaving it, SDL gives the window back the size it had.
  const bool full = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  if (SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    warn_on_stderr(std::string("cannot switch fullscreen: ") + SDL_GetError());
}

}  // namespace glouton::platform::system
