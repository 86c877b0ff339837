#include "platform/controls.h"

#include <algorithm>

#include "platform/glyph_text.h"

namespace glouton::platform {

namespace {

Uint32 map(const SDL_Surface* s, SDL_Color c) {
  return SDL_MapRGB(s->format, c.r, c.g, c.b);
}

void fill(SDL_Surface* s, int x, int y, int w, int h, SDL_Color c) {
  SDL_Rect r{x, y, w, h};
  SDL_FillRect(s, &r, map(s, c));
}

// One ring of a 3-D frame, `inset` pixels in: top and left one colour, bottom and right another.
void frame(SDL_Surface* s, int inset, SDL_Color top_left, SDL_Color bottom_right) {
  const int w = s->w - 2 * inset, h = s->h - 2 * inset;
  if (w <= 0 || h <= 0) return;
  fill(s, inset, inset, w, 1, top_left);
  fill(s, inset, inset, 1, h, top_left);
  fill(s, inset, inset + h - 1, w, 1, bottom_right);
  fill(s, inset + w - 1, inset, 1, h, bottom_right);
}

// Blends the text's surface (ARGB, its coverage as alpha) onto `target`
// (ARGB) at x, y, inside `clip`, as SDL's blitter does on x86-64 (its MMX
// one): each colour s·a/256 + d·(255−a)/256, both rounded down, alpha
// a·255/256 + d·(255−a)/256. SDL's other blitters round otherwise: done
// here, the texts' edges are the same pixels on every platform.
void blend_text(SDL_Surface* target, const SDL_Surface* text, int x, int y, const SDL_Rect& clip) {
  SDL_Rect area{x, y, text->w, text->h};
  const SDL_Rect whole{0, 0, target->w, target->h};
  if (!SDL_IntersectRect(&area, &clip, &area) || !SDL_IntersectRect(&area, &whole, &area)) return;
  for (int row = area.y; row < area.y + area.h; ++row) {
    const auto* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(text->pixels) +
                                                      (row - y) * text->pitch);
    auto* dst =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(target->pixels) + row * target->pitch);
    for (int col = area.x; col < area.x + area.w; ++col) {
      const Uint32 s = src[col - x], a = s >> 24;
      if (a == 0) continue;
      if (a == 255) {
        dst[col] = s;
        continue;
      }
      Uint32 out = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const Uint32 sc = (s >> shift) & 0xff, dc = (dst[col] >> shift) & 0xff;
        const Uint32 weight = shift == 24 ? 255 : a;
        out |= std::min<Uint32>(((sc * weight) >> 8) + ((dc * (255 - a)) >> 8), 255) << shift;
      }
      dst[col] = out;
    }
  }
}

// Blits the text into `box`, clipped to it, placed by `align` and centred
// vertically, or at the box's top when not `middle`.
void put_text(SDL_Surface* target, const SDL_Rect& box, const GlyphFont& font,
              std::string_view text, SDL_Color colour, Align align, int margin,
              bool middle = true) {
  if (text.empty()) return;
  const SurfacePtr rendered(render_glyph_text(font, text, colour));
  if (!rendered) return;
  const int x = align == Align::centre ? box.x + (box.w - rendered->w) / 2 : box.x + margin;
  const int y = middle ? box.y + (box.h - rendered->h) / 2 : box.y;
  blend_text(target, rendered.get(), x, y, box);
}

constexpr SDL_Color white{255, 255, 255, 255};
constexpr SDL_Color light{192, 192, 192, 255};
constexpr SDL_Color shadow{128, 128, 128, 255};
constexpr SDL_Color black{0, 0, 0, 255};

SurfacePtr blank(int w, int h) {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w > 0 ? w : 1, h > 0 ? h : 1, 32, pixel_format));
  if (s) SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_NONE);
  return s;
}

}  // namespace

PixelRect to_pixels(const TwipRect& r) {
  return {floor_div(r.left, twips_per_pixel), floor_div(r.top, twips_per_pixel),
          r.width / twips_per_pixel, r.height / twips_per_pixel};
}

SurfacePtr draw_text_box(int w, int h, const TextBoxLook& look, const GlyphFont& font,
                         std::string_view text, bool enabled) {
  SurfacePtr s = blank(w, h);
  if (!s) return s;
  fill(s.get(), 0, 0, w, h, look.back);
  frame(s.get(), 0, shadow, white);
  frame(s.get(), 1, black, light);
  const SDL_Rect inside{2, 2, w - 4, h - 4};
  put_text(s.get(), inside, font, text, enabled ? look.fore : disabled_grey, look.align, 2);
  return s;
}

SurfacePtr draw_label(int w, int h, const LabelLook& look, const GlyphFont& font,
                      std::string_view text) {
  SurfacePtr s = blank(w, h);
  if (!s) return s;
  fill(s.get(), 0, 0, w, h, look.back);
  put_text(s.get(), SDL_Rect{0, 0, w, h}, font, text, look.fore, look.align, 0, look.middle);
  return s;
}

SurfacePtr draw_button(int w, int h, const GlyphFont& font, std::string_view caption, bool pressed,
                       bool focused) {
  SurfacePtr s = blank(w, h);
  if (!s) return s;
  fill(s.get(), 0, 0, w, h, light);
  if (pressed) {
    frame(s.get(), 0, black, white);
    frame(s.get(), 1, shadow, light);
  } else {
    frame(s.get(), 0, white, black);
    frame(s.get(), 1, light, shadow);
  }
  const int shift = pressed ? 1 : 0;  // a pressed caption moves down and right
  const SDL_Rect inside{2 + shift, 2 + shift, w - 4, h - 4};
  put_text(s.get(), inside, font, caption, black, Align::centre, 0);
  if (focused) {
    // Every other pixel, three pixels in from the edge.
    const int x0 = 3, y0 = 3, x1 = w - 4, y1 = h - 4;
    for (int x = x0; x <= x1; x += 2) {
      fill(s.get(), x, y0, 1, 1, black);
      fill(s.get(), x, y1, 1, 1, black);
    }
    for (int y = y0; y <= y1; y += 2) {
      fill(s.get(), x0, y, 1, 1, black);
      fill(s.get(), x1, y, 1, 1, black);
    }
  }
  return s;
}

}  // namespace glouton::platform
