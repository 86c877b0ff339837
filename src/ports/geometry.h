// The sizes the game is drawn in. The core places everything in twips; the
// frontends turn twips into pixels at 15 twips a pixel and check their
// sprites against the 32-pixel size at start-up.
#pragma once

namespace glouton {

inline constexpr int twips_per_pixel = 15;
inline constexpr int sprite_pixels = 32;
inline constexpr int sprite_twips = sprite_pixels * twips_per_pixel;  // 480

// a / b rounded towards minus infinity (b > 0): a control may start left of
// or above its window, and its pixel must still be the one that holds it.
constexpr int floor_div(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Twips to pixels, rounding down, for positions left of or above the window too.
constexpr int twips_to_pixels(int twips) {
  return floor_div(twips, twips_per_pixel);
}

// A control's place in its window, in twips.
struct TwipRect {
  int left = 0, top = 0, width = 0, height = 0;
};

}  // namespace glouton
