// The title window's parts that need no display: where its items sit, how a
// push button answers the mouse, and how the title's big word is fitted into
// its label.
#include <gtest/gtest.h>

#include "draw/controls.h"
#include "draw/fitting_size.h"
#include "draw/title_picture.h"
#include "platform/push_button.h"
#include "platform/x11_guard.h"
#include "support/pixels.h"

namespace glouton::platform {
namespace {

using draw::fitting_size;
using draw::title_height;
using draw::title_width;
using draw::to_pixels;
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
