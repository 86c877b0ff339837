#include "platform/canvas.h"

#include <algorithm>

#include "platform/startup_error.h"

namespace glouton::platform {

SDL_Rect union_of(const SDL_Rect& a, const SDL_Rect& b) {
  if (a.w <= 0 || a.h <= 0) return b;
  if (b.w <= 0 || b.h <= 0) return a;
  const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

Canvas::Canvas(const Pictures& pictures)
    : pictures_(pictures),
      surface_(SDL_CreateRGBSurfaceWithFormat(0, canvas_width, canvas_height, 32, pixel_format)) {
  if (!surface_)
    throw StartupError(std::string("cannot make the drawing surface: ") + SDL_GetError());
  SDL_SetSurfaceBlendMode(surface_.get(), SDL_BLENDMODE_NONE);
  clear();
}

void Canvas::clear() {
  SDL_FillRect(surface_.get(), nullptr, SDL_MapRGB(surface_->format, 0, 0, 255));
  changed_ = SDL_Rect{0, 0, canvas_width, canvas_height};
}

void Canvas::PaintPicture(Picture picture, int x, int y) {
  SDL_Surface* sprite = pictures_.sprite(picture);
  SDL_Rect where{twips_to_pixels(x), twips_to_pixels(y), sprite->w, sprite->h};
  SDL_Rect canvas_rect{0, 0, canvas_width, canvas_height};
  SDL_Rect visible;
  if (!SDL_IntersectRect(&where, &canvas_rect, &visible)) return;
  SDL_BlitSurface(sprite, nullptr, surface_.get(), &where);
  changed_ = union_of(changed_.value_or(SDL_Rect{}), visible);
}

std::optional<SDL_Rect> Canvas::take_changed() {
  std::optional<SDL_Rect> out;
  out.swap(changed_);
  return out;
}

}  // namespace glouton::platform
