// The controls drawn over the canvas: where they sit (in twips, as the game
// window lays them out) and how a text box and the "CC" button look.
#pragma once

#include <string>
#include <string_view>

#include "platform/sdl_handles.h"
#include "platform/view.h"

namespace glouton::platform {

struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
};

// Twips to canvas pixels, rounding down (a control may start left of the canvas).
PixelRect to_pixels(const TwipRect& r);

inline constexpr TwipRect text1_place{8145, 600, 1230, 435};  // the score
inline constexpr TwipRect text3_place{5655, 75, 1215, 360};   // the best score
inline constexpr TwipRect command1_place{-30, 15, 405, 285};  // "CC"
inline constexpr TwipRect image2_corner{7710, 30, 0, 0};      // "SCORE", at its picture's size
inline constexpr TwipRect image1_corner{4605, 75, 0, 0};      // "HighS:", at its picture's size

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

inline constexpr TextBoxLook text1_look{blue, magenta, Align::centre};
inline constexpr TextBoxLook text3_look{blue, red, Align::left};

// A text box of w × h pixels with its thin sunken border; a disabled box
// shows its text grey.
SurfacePtr draw_text_box(int w, int h, const TextBoxLook& look, TTF_Font* font,
                         const std::string& text, bool enabled);

// A grey push button of w × h pixels, raised, or sunk while pressed.
SurfacePtr draw_button(int w, int h, TTF_Font* font, std::string_view caption, bool pressed);

}  // namespace glouton::platform
