// How the controls of the two windows look: a text box, a label and a push
// button, drawn straight into a window's picture at their place, cut to a
// clip. Where they sit is the core's (game/form1_layout.h, title/form2_layout.h).
#pragma once

#include <cstdint>
#include <string_view>

#include "draw/pixel_buffer.h"
#include "ports/geometry.h"
#include "screen/glyph_layout.h"

namespace glouton::draw {

// Twips to picture pixels, rounding down (a control may start left of the picture).
PixelRect to_pixels(const TwipRect& r);

enum class Align { centre, left };

inline constexpr std::uint32_t blue = 0xff0000ff;
inline constexpr std::uint32_t magenta = 0xffff00ff;
inline constexpr std::uint32_t red = 0xffff0000;
inline constexpr std::uint32_t yellow = 0xffffff00;
inline constexpr std::uint32_t disabled_grey = 0xff808080;

struct TextBoxLook {
  std::uint32_t back, fore;
  Align align;
};

inline constexpr TextBoxLook text1_look{blue, magenta, Align::centre};
inline constexpr TextBoxLook text3_look{blue, red, Align::left};

struct LabelLook {
  std::uint32_t back, fore;
  Align align;
  bool middle;  // the line halfway down the label, else at its top
};

inline constexpr LabelLook label4_look{yellow, magenta, Align::centre, true};
inline constexpr LabelLook label2_look{yellow, blue, Align::centre, false};
inline constexpr LabelLook label6_look{red, yellow, Align::left, true};

// A text box with its thin sunken border; a disabled box shows its text grey.
void draw_text_box(PixelBuffer& out, const PixelRect& place, const TextBoxLook& look,
                   const GlyphFont& font, std::string_view text, bool enabled,
                   const PixelRect& clip);

// A label: one line of text on its back colour, cut at its edges.
void draw_label(PixelBuffer& out, const PixelRect& place, const LabelLook& look,
                const GlyphFont& font, std::string_view text, const PixelRect& clip);

// A grey push button, raised, or sunk while pressed; the one with the
// keyboard focus has a dotted rectangle inside its edge.
void draw_button(PixelBuffer& out, const PixelRect& place, const GlyphFont& font,
                 std::string_view caption, bool pressed, bool focused, const PixelRect& clip);

}  // namespace glouton::draw
