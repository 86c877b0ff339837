// The title window's parts that need no display: where its items sit, how
// its labels, face and focused button are drawn, how a push button answers
// the mouse, and how the title's big word is fitted into its label.
#include <gtest/gtest.h>

#include <array>

#include "platform/controls.h"
#include "platform/fitting_size.h"
#include "platform/fonts.h"
#include "platform/push_button.h"
#include "platform/title_drawing.h"
#include "platform/x11_guard.h"
#include "support/pixels.h"

namespace glouton::platform {
namespace {

using testing::at;
using testing::Rgb;
using testing::same;

TEST(TitleLayout, ItemsSitAtTheirTwipPlacesInsideTheWindow) {
  EXPECT_EQ(title_width * twips_per_pixel, 10590);
  EXPECT_EQ(title_height * twips_per_pixel, 7020);
  EXPECT_TRUE(same(to_pixels(label4_place), {179, 148, 286, 77}));
  EXPECT_TRUE(same(to_pixels(label2_place), {63, 14, 535, 33}));
  EXPECT_TRUE(same(to_pixels(label6_place), {442, 59, 155, 19}));
  EXPECT_TRUE(same(to_pixels(go_place), {14, 425, 66, 28}));
  for (const TwipRect& r : {label4_place, label2_place, label6_place, go_place}) {
    const PixelRect p = to_pixels(r);
    EXPECT_LE(p.x + p.w, title_width);
    EXPECT_LE(p.y + p.h, title_height);
  }
}

TEST(FittingSize, KeepsTheSizeThatFitsOrTakesTheLargestSmallerOne) {
  // A font whose word is five pixels wide per pixel of size.
  const auto five = [](int size, std::string_view) { return 5 * size; };
  EXPECT_EQ(fitting_size(64, 320, "x", five), 64);
  EXPECT_EQ(fitting_size(64, 319, "x", five), 63);
  EXPECT_EQ(fitting_size(64, 278, "x", five), 55);
  EXPECT_EQ(fitting_size(64, 3, "x", five), 1) << "never below one pixel";
  // Widths that do not grow in proportion: the first guess is refined downwards.
  const auto lumpy = [](int size, std::string_view) { return size <= 50 ? 4 * size : 6 * size; };
  EXPECT_EQ(fitting_size(64, 300, "x", lumpy), 50);
}

class TitleLooks : public ::testing::Test {
 protected:
  // A 32 × 32 face: green with a see-through top-left quarter.
  static SurfacePtr test_face() {
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, pixel_format));
    SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, 0, 200, 0, 255));
    SDL_Rect corner{0, 0, 16, 16};
    SDL_FillRect(s.get(), &corner, SDL_MapRGBA(s->format, 0, 0, 0, 0));
    SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND);
    return s;
  }

  // How many pixels of the rectangle are of the colour, and the first and
  // last columns holding one.
  struct Ink {
    int count = 0, first = -1, last = -1;
  };
  static Ink ink(const SDL_Surface& s, const PixelRect& r, Rgb colour) {
    Ink out;
    for (int x = r.x; x < r.x + r.w; ++x)
      for (int y = r.y; y < r.y + r.h; ++y)
        if (at(s, x, y) == colour) {
          ++out.count;
          if (out.first < 0) out.first = x;
          out.last = x;
        }
    return out;
  }

  static inline const Fonts fonts_{};
};

constexpr Rgb red_rgb{255, 0, 0}, yellow_rgb{255, 255, 0}, magenta_rgb{255, 0, 255},
    blue_rgb{0, 0, 255}, green_rgb{0, 200, 0};

TEST_F(TitleLooks, RedWithTheThreeLabelsInTheirColours) {
  const SurfacePtr face = test_face();
  TitleDrawing drawing(face.get(), fonts_);
  const SDL_Surface& s = drawing.pixels();
  ASSERT_EQ(s.w, 706);
  ASSERT_EQ(s.h, 468);
  EXPECT_EQ(at(s, 0, 0), red_rgb);
  EXPECT_EQ(at(s, 705, 467), red_rgb);
  EXPECT_EQ(at(s, 178, 148), red_rgb) << "just left of the title's box";

  const PixelRect title = to_pixels(label4_place);
  EXPECT_EQ(at(s, title.x, title.y), yellow_rgb);
  EXPECT_EQ(at(s, title.x + title.w - 1, title.y + title.h - 1), yellow_rgb);
  const Ink word = ink(s, title, magenta_rgb);
  EXPECT_GT(word.count, 2000) << "seven big bold letters";
  // The whole word shows, with room at both ends, roughly centred.
  EXPECT_GE(word.first, title.x + 2);
  EXPECT_LE(word.last, title.x + title.w - 3);
  EXPECT_LE(std::abs((word.first - title.x) - (title.x + title.w - 1 - word.last)), 4);

  const PixelRect subtitle = to_pixels(label2_place);
  EXPECT_EQ(at(s, subtitle.x, subtitle.y + subtitle.h - 1), yellow_rgb);
  const Ink line = ink(s, subtitle, blue_rgb);
  EXPECT_GT(line.count, 300);
  EXPECT_LE(std::abs((line.first - subtitle.x) - (subtitle.x + subtitle.w - 1 - line.last)), 4)
      << "centred";

  const PixelRect credit = to_pixels(label6_place);
  const Ink by = ink(s, credit, yellow_rgb);
  EXPECT_GT(by.count, 100);
  EXPECT_LE(by.first, credit.x + 3) << "at the label's left";
  EXPECT_EQ(ink(s, {credit.x, credit.y + credit.h, credit.w, 10}, yellow_rgb).count, 0)
      << "cut at the label's edge";
}

TEST_F(TitleLooks, TheFaceStartsAtItsDesignPlaceAndMovesLeavingRed) {
  const SurfacePtr face = test_face();
  TitleDrawing drawing(face.get(), fonts_);
  const SDL_Surface& s = drawing.pixels();
  // 225, 4,005 twips: 15, 267 pixels; the see-through quarter shows the red.
  EXPECT_EQ(at(s, 15 + 20, 267 + 20), green_rgb);
  EXPECT_EQ(at(s, 15 + 5, 267 + 5), red_rgb);
  std::optional<SDL_Rect> changed = drawing.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {0, 0, 706, 468}));
  EXPECT_FALSE(drawing.changed());

  drawing.place_face(225, 4005);  // where it is: nothing to paint
  EXPECT_FALSE(drawing.changed());
  drawing.place_face(60, 4500);  // the first tick: 4, 300
  EXPECT_EQ(at(s, 15 + 20, 267 + 20), red_rgb) << "the old place is red again";
  EXPECT_EQ(at(s, 4 + 20, 300 + 20), green_rgb);
  EXPECT_EQ(at(s, 4 + 5, 300 + 5), red_rgb);
  changed = drawing.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {4, 267, 43, 65})) << "both places";

  drawing.place_face(120, 4500);
  changed = drawing.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {4, 300, 36, 32}));
  EXPECT_EQ(at(s, 4 + 2, 300 + 20), red_rgb);

  drawing.place_face(9600, 4500);  // the right end: 640
  EXPECT_EQ(at(s, 640 + 31, 300 + 31), green_rgb);
  EXPECT_EQ(at(s, 8 + 20, 300 + 20), red_rgb);
}

TEST_F(TitleLooks, TheFocusedButtonHasADottedRectangle) {
  const PixelRect go = to_pixels(go_place);
  const SurfacePtr up = draw_button(go.w, go.h, fonts_.button, go_caption, false, true);
  const SurfacePtr plain = draw_button(go.w, go.h, fonts_.button, go_caption, false);
  const SurfacePtr down = draw_button(go.w, go.h, fonts_.button, go_caption, true, true);
  ASSERT_TRUE(up && plain && down);
  constexpr Rgb black{0, 0, 0}, face{192, 192, 192};
  for (const SDL_Surface* s : {up.get(), down.get()}) {
    EXPECT_EQ(at(*s, 3, 3), black);
    EXPECT_EQ(at(*s, 4, 3), face) << "dotted, not a line";
    EXPECT_EQ(at(*s, 5, 3), black);
    EXPECT_EQ(at(*s, 3, 5), black);
    EXPECT_EQ(at(*s, go.w - 5, go.h - 4), black);
    EXPECT_EQ(at(*s, go.w - 4, go.h - 5), black);
  }
  EXPECT_EQ(at(*plain, 3, 3), face);
  EXPECT_EQ(at(*plain, 5, go.h - 4), face);
  EXPECT_EQ(at(*up, 0, 0), (Rgb{255, 255, 255})) << "raised";
  EXPECT_EQ(at(*down, 0, 0), black) << "sunk";
  // The caption shows between the dots.
  int ink = 0;
  for (int y = 5; y < go.h - 5; ++y)
    for (int x = 5; x < go.w - 5; ++x) ink += at(*up, x, y) != face;
  EXPECT_GT(ink, 20);
}

TEST(Labels, PutTheirLineAtTheTopOrHalfwayDown) {
  const Fonts fonts;
  const LabelLook top{yellow, blue, Align::centre, false};
  const LabelLook middle{yellow, blue, Align::centre, true};
  // The atlas holds the line font's two texts only.
  const SurfacePtr a = draw_label(200, 80, top, fonts.line, credit_text);
  const SurfacePtr b = draw_label(200, 80, middle, fonts.line, credit_text);
  auto first_ink_row = [](const SurfacePtr& s) {
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x)
        if (at(*s, x, y) != yellow_rgb) return y;
    return -1;
  };
  EXPECT_GE(first_ink_row(a), 0);
  EXPECT_LT(first_ink_row(a), 10);
  EXPECT_GT(first_ink_row(b), 25);
  EXPECT_EQ(at(*a, 0, 79), yellow_rgb);
}

// A mouse event of window 7 at (x, y).
SDL_Event mouse(Uint32 type, int x, int y, Uint8 button = SDL_BUTTON_LEFT, Uint32 window = 7) {
  SDL_Event e{};
  e.type = type;
  if (type == SDL_MOUSEMOTION) {
    e.motion.windowID = window;
    e.motion.x = x;
    e.motion.y = y;
  } else {
    e.button.windowID = window;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
  }
  return e;
}

TEST(PushButton, ClicksWhenLetGoOverItAndShowsPressedOnlyWhileOverIt) {
  PushButton button;
  const auto over = [](int x, int) { return x < 10; };
  PushButton::Outcome out = button.handle(mouse(SDL_MOUSEBUTTONDOWN, 5, 0), 7, over);
  EXPECT_TRUE(out.redraw);
  EXPECT_FALSE(out.clicked);
  EXPECT_TRUE(button.pressed());
  out = button.handle(mouse(SDL_MOUSEMOTION, 6, 0), 7, over);
  EXPECT_FALSE(out.redraw) << "still over it: no new look";
  out = button.handle(mouse(SDL_MOUSEMOTION, 50, 0), 7, over);
  EXPECT_TRUE(out.redraw);
  EXPECT_FALSE(button.pressed());
  out = button.handle(mouse(SDL_MOUSEMOTION, 3, 0), 7, over);
  EXPECT_TRUE(button.pressed());
  out = button.handle(mouse(SDL_MOUSEBUTTONUP, 3, 0), 7, over);
  EXPECT_TRUE(out.clicked);
  EXPECT_TRUE(out.redraw);
  EXPECT_FALSE(button.pressed());
}

TEST(PushButton, LetGoElsewhereOrNeverPressedIsNoClick) {
  PushButton button;
  const auto over = [](int x, int) { return x < 10; };
  button.handle(mouse(SDL_MOUSEBUTTONDOWN, 5, 0), 7, over);
  PushButton::Outcome out = button.handle(mouse(SDL_MOUSEBUTTONUP, 50, 0), 7, over);
  EXPECT_FALSE(out.clicked);
  EXPECT_FALSE(button.pressed());
  // Down outside, then up over it: no click either.
  out = button.handle(mouse(SDL_MOUSEBUTTONDOWN, 50, 0), 7, over);
  EXPECT_FALSE(out.redraw);
  out = button.handle(mouse(SDL_MOUSEBUTTONUP, 5, 0), 7, over);
  EXPECT_FALSE(out.clicked);
  // The right button, and another window's events, do nothing.
  out = button.handle(mouse(SDL_MOUSEBUTTONDOWN, 5, 0, SDL_BUTTON_RIGHT), 7, over);
  EXPECT_FALSE(button.pressed());
  out = button.handle(mouse(SDL_MOUSEBUTTONDOWN, 5, 0, SDL_BUTTON_LEFT, 8), 7, over);
  EXPECT_FALSE(button.pressed());
  // A window that goes away lets the button go without a click.
  button.handle(mouse(SDL_MOUSEBUTTONDOWN, 5, 0), 7, over);
  button.release();
  EXPECT_FALSE(button.pressed());
  out = button.handle(mouse(SDL_MOUSEBUTTONUP, 5, 0), 7, over);
  EXPECT_FALSE(out.clicked);
}

TEST(X11Guard, LetsOnlyALateWakeupToAGoneWindowPass) {
#ifdef GLOUTON_X11_GUARD
  constexpr int bad_window = 3, bad_drawable = 9, send_event = 25, destroy_window = 4;
  EXPECT_TRUE(is_late_wakeup(bad_window, send_event));
  EXPECT_FALSE(is_late_wakeup(bad_window, destroy_window));
  EXPECT_FALSE(is_late_wakeup(bad_drawable, send_event));
#else
  EXPECT_FALSE(is_late_wakeup(3, 25)) << "no guard without X11";
#endif
}

}  // namespace
}  // namespace glouton::platform
