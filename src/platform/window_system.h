// What a window does where it runs: the desktop's and Windows'
// (platform/desktop_system.cpp), kept apart from the windows themselves. The
// page is a frontend of its own (src/web/), with no SDL.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "screen/fit.h"

namespace glouton::platform {

class ScaledWindow;

namespace system {

// Readies the screen for a new window; SDL_CreateWindow's flags.
Uint32 new_window_flags();
// The share of the room (a percentage) under which a fractional scale fills
// it rather than the largest whole one (screen/fit.h).
int min_fill();
// The texture's format: that of the surface it is shown on.
Uint32 content_format();
// The window was made, or is going away.
void window_made(ScaledWindow& window);
void window_gone(ScaledWindow& window);
// Window units for one CSS pixel.
double units_per_css_pixel(SDL_Window* window);
// Puts the part of the picture (0xAARRGGBB from `first`, `pitch` pixels a
// row) into the streaming texture (content_format()).
void upload(SDL_Texture* texture, const SDL_Rect& part, const std::uint32_t* first, int pitch);
// Puts the frame just drawn on the screen; `changed` is its changed part, in
// output pixels.
void present(SDL_Window* window, SDL_Renderer* renderer, const SDL_Rect& changed);
// Fullscreen and back.
void toggle_fullscreen(SDL_Window* window);

}  // namespace system
}  // namespace glouton::platform
