// The controls of the two windows: where they sit (in twips, as each window
// lays them out) and how a text box, a label and a push button look.
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

// The title window (Form2): its size, its labels and its "GO !" button.
inline constexpr int title_width = 706;                          // 10,590 twips
inline constexpr int title_height = 468;                         // 7,020 twips
inline constexpr TwipRect label4_place{2685, 2220, 4290, 1155};  // the title
inline constexpr TwipRect label2_place{945, 210, 8025, 495};     // the subtitle
inline constexpr TwipRect label6_place{6630, 885, 2325, 285};    // the credit
inline constexpr TwipRect go_place{210, 6375, 990, 420};         // "GO !"

inline constexpr std::string_view title_text = "GLOUTON";
inline constexpr std::string_view subtitle_text = "Mangez tout, ne vous faites pas attraper !";
inline constexpr std::string_view credit_text = "par Glouton & Cie";
inline constexpr std::string_view go_caption = "GO !";

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
SurfacePtr draw_text_box(int w, int h, const TextBoxLook& look, TTF_Font* font,
                         const std::string& text, bool enabled);

// A label of w × h pixels: one line of text on its back colour, cut at its edges.
SurfacePtr draw_label(int w, int h, const LabelLook& look, TTF_Font* font, std::string_view text);

// A grey push button of w × h pixels, raised, or sunk while pressed; the one
// with the keyboard focus has a dotted rectangle inside its edge.
SurfacePtr draw_button(int w, int h, TTF_Font* font, std::string_view caption, bool pressed,
                       bool focused = false);

}  // namespace glouton::platform
