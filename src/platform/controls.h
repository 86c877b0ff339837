// How the controls of the two windows look: a text box, a label and a push
// button. Where they sit is the core's (game/form1_layout.h, title/form2_layout.h).
#pragma once

#include <string_view>

#include "game/form1_layout.h"
#include "platform/sdl_handles.h"
#include "screen/fit.h"
#include "screen/glyph_layout.h"
#include "title/form2_layout.h"

namespace glouton::platform {

// Twips to canvas pixels, rounding down (a control may start left of the canvas).
PixelRect to_pixels(const TwipRect& r);

// The title window's drawing, in pixels.
inline constexpr int title_width = form2_width / twips_per_pixel;    // 706
inline constexpr int title_height = form2_height / twips_per_pixel;  // 468

enum class Align { centre, left };

struct TextBoxLook {
  SDL_Color back;
  SDL_Color fore;
  Align align;
};

inline constexpr SDL_Color blue{0, 0, 255, 255};
inline constexpr SDL_Color magenta{255, 0, 255, 255};
inline constexpr SDL_Color red{255, 0, 0, 255};
inline constexpr SDL_Color disabled_grey{128, 128, 128, 255};

inline constexpr SDL_Color yellow{255, 255, 0, 255};

inline constexpr TextBoxLook text1_look{blue, magenta, Align::centre};
inline constexpr TextBoxLook text3_look{blue, red, Align::left};

struct LabelLook {
  SDL_Color back;
  SDL_Color fore;
  Align align;
  bool middle;  // the line halfway down the label, else at its top
};

inline constexpr LabelLook label4_look{yellow, magenta, Align::centre, true};
inline constexpr LabelLook label2_look{yellow, blue, Align::centre, false};
inline constexpr LabelLook label6_look{red, yellow, Align::left, true};

// A text box of w × h pixels with its thin sunken border; a disabled box
// shows its text grey.
SurfacePtr draw_text_box(int w, int h, const TextBoxLook& look, const GlyphFont& font,
                         std::string_view text, bool enabled);

// A label of w × h pixels: one line of text on its back colour, cut at its edges.
SurfacePtr draw_label(int w, int h, const LabelLook& look, const GlyphFont& font,
                      std::string_view text);

// A grey push button of w × h pixels, raised, or sunk while pressed; the one
// with the keyboard focus has a dotted rectangle inside its edge.
SurfacePtr draw_button(int w, int h, const GlyphFont& font, std::string_view caption, bool pressed,
                       bool focused = false);

}  // namespace glouton::platform
