#include "draw/controls.h"

namespace glouton::draw {

namespace {

constexpr std::uint32_t white = 0xffffffff;
constexpr std::uint32_t light = 0xffc0c0c0;
constexpr std::uint32_t shadow = 0xff808080;
constexpr std::uint32_t black = 0xff000000;

// Draws inside one control: its place, cut to the clip and the picture.
struct Pen {
  PixelBuffer& out;
  PixelRect place;
  PixelRect clip;

  Pen(PixelBuffer& o, const PixelRect& p, const PixelRect& c)
      : out(o), place(p), clip(intersect(intersect(p, c), o.whole())) {}

  // A rectangle at (x, y) from the control's corner.
  void fill(int x, int y, int w, int h, std::uint32_t colour) const {
    out.fill(intersect({place.x + x, place.y + y, w, h}, clip), colour);
  }

  // One ring of a 3-D frame, `inset` pixels in: top and left one colour,
  // bottom and right another.
  void frame(int inset, std::uint32_t top_left, std::uint32_t bottom_right) const {
    const int w = place.w - 2 * inset, h = place.h - 2 * inset;
    if (w <= 0 || h <= 0) return;
    fill(inset, inset, w, 1, top_left);
    fill(inset, inset, 1, h, top_left);
    fill(inset, inset + h - 1, w, 1, bottom_right);
    fill(inset + w - 1, inset, 1, h, bottom_right);
  }

  // The text in `box` (from the control's corner), cut to it, placed by
  // `align` and centred down it, or at its top when not `middle`.
  void text(const PixelRect& box, const GlyphFont& font, std::string_view text,
            std::uint32_t colour, Align align, int margin, bool middle = true) const {
    if (text.empty()) return;
    const TextMask mask = lay_out(font, text);
    if (mask.width == 0) return;
    const PixelRect b{place.x + box.x, place.y + box.y, box.w, box.h};
    const int x = align == Align::centre ? b.x + (b.w - mask.width) / 2 : b.x + margin;
    const int y = middle ? b.y + (b.h - mask.height) / 2 : b.y;
    const PixelRect in = intersect(intersect({x, y, mask.width, mask.height}, b), clip);
    const std::uint32_t rgb = colour & 0xffffff;
    for (int row = in.y; row < in.y + in.h; ++row)
      for (int col = in.x; col < in.x + in.w; ++col) {
        const std::uint32_t a =
            mask.alpha[static_cast<std::size_t>(row - y) * mask.width + (col - x)];
        blend(out.at(col, row), rgb | (a << 24));
      }
  }
};

}  // namespace

PixelRect to_pixels(const TwipRect& r) {
  return {floor_div(r.left, twips_per_pixel), floor_div(r.top, twips_per_pixel),
          r.width / twips_per_pixel, r.height / twips_per_pixel};
}

void draw_text_box(PixelBuffer& out, const PixelRect& place, const TextBoxLook& look,
                   const GlyphFont& font, std::string_view text, bool enabled,
                   const PixelRect& clip) {
  const Pen pen(out, place, clip);
  pen.fill(0, 0, place.w, place.h, look.back);
  pen.frame(0, shadow, white);
  pen.frame(1, black, light);
  pen.text({2, 2, place.w - 4, place.h - 4}, font, text, enabled ? look.fore : disabled_grey,
           look.align, 2);
}

void draw_label(PixelBuffer& out, const PixelRect& place, const LabelLook& look,
                const GlyphFont& font, std::string_view text, const PixelRect& clip) {
  const Pen pen(out, place, clip);
  pen.fill(0, 0, place.w, place.h, look.back);
  pen.text({0, 0, place.w, place.h}, font, text, look.fore, look.align, 0, look.middle);
}

void draw_button(PixelBuffer& out, const PixelRect& place, const GlyphFont& font,
                 std::string_view caption, bool pressed, bool focused, const PixelRect& clip) {
  const Pen pen(out, place, clip);
  pen.fill(0, 0, place.w, place.h, light);
  if (pressed) {
    pen.frame(0, black, white);
    pen.frame(1, shadow, light);
  } else {
    pen.frame(0, white, black);
    pen.frame(1, light, shadow);
  }
  const int shift = pressed ? 1 : 0;  // a pressed caption moves down and right
  pen.text({2 + shift, 2 + shift, place.w - 4, place.h - 4}, font, caption, black, Align::centre,
           0);
  if (!focused) return;
  // Every other pixel, three pixels in from the edge.
  const int x0 = 3, y0 = 3, x1 = place.w - 4, y1 = place.h - 4;
  for (int x = x0; x <= x1; x += 2) {
    pen.fill(x, y0, 1, 1, black);
    pen.fill(x, y1, 1, 1, black);
  }
  for (int y = y0; y <= y1; y += 2) {
    pen.fill(x0, y, 1, 1, black);
    pen.fill(x1, y, 1, 1, black);
  }
}

}  // namespace glouton::draw
