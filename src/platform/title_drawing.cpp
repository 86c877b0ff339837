#include "platform/title_drawing.h"

#include <string>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/startup_error.h"
#include "title/form2.h"

namespace glouton::platform {

namespace {

void put_label(SDL_Surface* target, const TwipRect& place, const LabelLook& look,
               const GlyphFont& font, std::string_view text) {
  const PixelRect p = to_pixels(place);
  SurfacePtr label = draw_label(p.w, p.h, look, font, text);
  if (!label) throw StartupError(std::string("cannot draw the title window: ") + SDL_GetError());
  SDL_Rect where{p.x, p.y, p.w, p.h};
  SDL_BlitSurface(label.get(), nullptr, target, &where);
}

}  // namespace

TitleDrawing::TitleDrawing(SDL_Surface* face, const Fonts& fonts)
    : face_(face),
      surface_(SDL_CreateRGBSurfaceWithFormat(0, title_width, title_height, 32, pixel_format)) {
  if (!surface_)
    throw StartupError(std::string("cannot make the title window's surface: ") + SDL_GetError());
  SDL_SetSurfaceBlendMode(surface_.get(), SDL_BLENDMODE_NONE);
  SDL_FillRect(surface_.get(), nullptr, SDL_MapRGB(surface_->format, red.r, red.g, red.b));
  put_label(surface_.get(), label4_place, label4_look, fonts.title, title_text);
  put_label(surface_.get(), label2_place, label2_look, fonts.line, subtitle_text);
  put_label(surface_.get(), label6_place, label6_look, fonts.line, credit_text);
  changed_ = SDL_Rect{0, 0, title_width, title_height};
  const PixelRect design = to_pixels(TwipRect{face_design_left, face_design_top, 0, 0});
  face_at_ = {design.x, design.y, face_->w, face_->h};
  SDL_Rect where = face_at_;
  SDL_BlitSurface(face_, nullptr, surface_.get(), &where);
}

void TitleDrawing::mark(const SDL_Rect& r) {
  const SDL_Rect whole{0, 0, title_width, title_height};
  SDL_Rect visible;
  if (SDL_IntersectRect(&r, &whole, &visible))
    changed_ = union_of(changed_.value_or(SDL_Rect{}), visible);
}

void TitleDrawing::place_face(int left_twips, int top_twips) {
  const PixelRect p = to_pixels(TwipRect{left_twips, top_twips, 0, 0});
  if (p.x == face_at_.x && p.y == face_at_.y) return;
  SDL_Rect old = face_at_;
  SDL_FillRect(surface_.get(), &old, SDL_MapRGB(surface_->format, red.r, red.g, red.b));
  mark(face_at_);
  face_at_ = {p.x, p.y, face_->w, face_->h};
  SDL_Rect where = face_at_;
  SDL_BlitSurface(face_, nullptr, surface_.get(), &where);
  mark(face_at_);
}

std::optional<SDL_Rect> TitleDrawing::take_changed() {
  std::optional<SDL_Rect> out;
  out.swap(changed_);
  return out;
}

}  // namespace glouton::platform
