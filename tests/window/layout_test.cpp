// Where things go on screen: the whole-factor scale and its bars, the mouse
// mapped back to the canvas, and the controls' places.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <utility>

#include "draw/controls.h"
#include "draw/game_picture.h"
#include "draw/pictures.h"
#include "screen/fit.h"
#include "support/pixels.h"

namespace glouton::platform {
namespace {

using draw::to_pixels;
using testing::same;

TEST(View, TakesTheLargestWholeScaleThatFitsAtLeastOne) {
  EXPECT_EQ(whole_scale(644, 448, 644, 448), 1);
  EXPECT_EQ(whole_scale(644, 448, 1287, 2000), 1);
  EXPECT_EQ(whole_scale(644, 448, 1288, 896), 2);
  EXPECT_EQ(whole_scale(644, 448, 3840, 2160 - 64), 4);  // the height decides
  EXPECT_EQ(whole_scale(644, 448, 1920 - 16, 1080 - 64), 2);
  EXPECT_EQ(whole_scale(644, 448, 1024, 768), 1);
  EXPECT_EQ(whole_scale(644, 448, 300, 200), 1);
}

std::tuple<int, int, int> scale_and_corner(const View& v) {
  return {v.scale, v.x, v.y};
}

TEST(View, CentresTheCanvasWithBars) {
  EXPECT_EQ(scale_and_corner(fit_view(644, 448, 644, 448)), std::tuple(1, 0, 0));
  const View v = fit_view(644, 448, 1400, 1000);
  EXPECT_EQ(scale_and_corner(v), std::tuple(2, 56, 52));
  EXPECT_TRUE(same(v.to_output({0, 0, 644, 448}), {56, 52, 1288, 896}));
  EXPECT_TRUE(same(v.to_output({543, 40, 82, 29}), {56 + 1086, 52 + 80, 164, 58}));
  // Too small a window still shows the canvas whole-size, cut around its centre.
  EXPECT_EQ(scale_and_corner(fit_view(644, 448, 600, 448)), std::tuple(1, -22, 0));
}

TEST(View, MapsOutputPixelsBackToTheCanvas) {
  const View v = fit_view(644, 448, 1400, 1000);  // scale 2 at (56, 52)
  // Output pixel, canvas pixel; in the bars: outside the canvas on the side
  // it lies, never wrapped to 0.
  const std::pair<Point, Point> rows[] = {{{56, 52}, {0, 0}},
                                          {{57, 53}, {0, 0}},
                                          {{56 + 2 * 643 + 1, 52 + 2 * 447 + 1}, {643, 447}},
                                          {{55, 51}, {-1, -1}}};
  for (const auto& [out, canvas] : rows) {
    const Point p = v.to_canvas(out.x, out.y);
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(canvas.x, canvas.y)) << out.x << "," << out.y;
  }
  const Point p = v.to_canvas(1399, 999);
  EXPECT_GE(p.x, 644);
  EXPECT_GE(p.y, 448);
}

// In a page, a fractional scale where no whole one fills 90 % of the room.
TEST(View, TakesAFractionalScaleWhereNoWholeOneFillsEnough) {
  struct Row {
    int out_w, out_h, scale, per, x, y;
  } rows[] = {
      {1170, 2280, 1170, 644, 0, 733},  // a phone upright, ratio 3: 1x would fill 55 %
      {1872, 1170, 1170, 448, 95, 0},   // the same on its side, beside the strip: 2x fills 77 %
      {1400, 1000, 2, 1, 56, 52},       // 2x fills 92 % of the height: whole
      {600, 448, 600, 644, 0, 15},      // too small for 1x: shrunk to fit
  };
  for (const Row& r : rows) {
    const View v = fit_view(644, 448, r.out_w, r.out_h, 90);
    EXPECT_EQ(v.scale * r.per, r.scale * v.per) << r.out_w << "x" << r.out_h;
    EXPECT_EQ(v.x, r.x) << r.out_w << "x" << r.out_h;
    EXPECT_EQ(v.y, r.y) << r.out_w << "x" << r.out_h;
    // Cells side by side stay side by side, and the mouse finds them back.
    const PixelRect a = v.to_output({31, 7, 32, 32}), b = v.to_output({63, 7, 32, 32});
    EXPECT_EQ(a.x + a.w, b.x);
    EXPECT_EQ(v.to_canvas(b.x, b.y).x, 63);
    EXPECT_EQ(v.to_canvas(b.x - 1, b.y).x, 62);
  }
}

TEST(Controls, SitAtTheirTwipPlaces) {
  EXPECT_TRUE(same(to_pixels(text1_place), {543, 40, 82, 29}));
  EXPECT_TRUE(same(to_pixels(text3_place), {377, 5, 81, 24}));
  EXPECT_TRUE(same(to_pixels(command1_place), {-2, 1, 27, 19}));
  EXPECT_TRUE(same(to_pixels(score_caption_corner), {514, 2, 0, 0}));
  EXPECT_TRUE(same(to_pixels(highs_caption_corner), {307, 5, 0, 0}));
}

// The captions at their pictures' real sizes: "SCORE" ends inside the canvas,
// and "HighS:" ends before the best-score box begins.
TEST(Controls, CaptionsFitBesideTheBoxes) {
  const draw::Image& score = draw::pictures().score_caption;
  const draw::Image& highs = draw::pictures().highs_caption;
  EXPECT_LE(to_pixels(score_caption_corner).x + score.w, draw::game_width);
  EXPECT_LE(to_pixels(highs_caption_corner).x + highs.w, to_pixels(text3_place).x);
  EXPECT_LE(to_pixels(text1_place).x + to_pixels(text1_place).w, draw::game_width);
}

}  // namespace
}  // namespace glouton::platform
