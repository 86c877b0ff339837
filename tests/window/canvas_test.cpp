// The persistent canvas: blue at first, pictures painted at their twip
// positions and sizes, see-through pixels keep what was below, and the part
// that changed is remembered for the next upload.
#include <gtest/gtest.h>

#include <array>

#include "platform/canvas.h"
#include "support/pixels.h"

namespace glouton::platform {
namespace {

using Rgb = std::array<int, 3>;

SurfacePtr solid(int w, int h, Uint8 r, Uint8 g, Uint8 b, Uint8 a = 255) {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, pixel_format));
  SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, r, g, b, a));
  SDL_SetSurfaceBlendMode(s.get(), SDL_BLENDMODE_BLEND);
  return s;
}

// Every sprite a 32 × 32 square of its own grey; the glouton red with a
// see-through left half, as the icons have see-through corners.
Pictures test_pictures() {
  Pictures p;
  for (int i = 0; i < picture_count; ++i) {
    const auto grey = static_cast<Uint8>(10 * (i + 1));
    p.sprites[static_cast<std::size_t>(i)] = solid(32, 32, grey, grey, grey);
  }
  SDL_Surface* glouton = p.sprites[static_cast<std::size_t>(Picture::glouton)].get();
  SDL_FillRect(glouton, nullptr, SDL_MapRGBA(glouton->format, 255, 0, 0, 255));
  SDL_Rect left{0, 0, 16, 32};
  SDL_FillRect(glouton, &left, SDL_MapRGBA(glouton->format, 0, 0, 0, 0));
  p.sprites[static_cast<std::size_t>(Picture::gomme)] = solid(16, 8, 0, 255, 255);
  p.score_caption = solid(111, 31, 255, 255, 0);
  p.highs_caption = solid(67, 25, 255, 255, 0);
  return p;
}

using testing::same;

Rgb at(const Canvas& c, int x, int y) {
  return testing::at(c.pixels(), x, y);
}

TEST(Canvas, StartsBlueAtItsFixedSizeAndAllChanged) {
  const Pictures pictures = test_pictures();
  Canvas canvas(pictures);
  EXPECT_EQ(canvas.pixels().w, 644);
  EXPECT_EQ(canvas.pixels().h, 448);
  EXPECT_EQ(at(canvas, 0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(canvas, 643, 447), (Rgb{0, 0, 255}));
  const std::optional<SDL_Rect> changed = canvas.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {0, 0, 644, 448}));
  EXPECT_FALSE(canvas.take_changed());
}

TEST(Canvas, PaintsAtTheTwipPositionAndKeepsIt) {
  const Pictures pictures = test_pictures();
  Canvas canvas(pictures);
  canvas.take_changed();
  paint_on_cell(canvas, Picture::mur, 1, 1);  // (480, 480) twips: pixel (32, 32)
  EXPECT_EQ(at(canvas, 31, 31), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(canvas, 32, 32), (Rgb{50, 50, 50}));
  EXPECT_EQ(at(canvas, 63, 63), (Rgb{50, 50, 50}));
  EXPECT_EQ(at(canvas, 64, 64), (Rgb{0, 0, 255}));
  // Painting elsewhere leaves the first picture as it was: nothing is cleared.
  canvas.PaintPicture(Picture::sol, 4800, 0);
  EXPECT_EQ(at(canvas, 40, 40), (Rgb{50, 50, 50}));
  EXPECT_EQ(at(canvas, 320, 0), (Rgb{60, 60, 60}));
  // A position that is not a whole pixel starts at the pixel it falls in.
  canvas.PaintPicture(Picture::gomme, 29, 0);
  EXPECT_EQ(at(canvas, 1, 0), (Rgb{0, 255, 255}));
  EXPECT_EQ(at(canvas, 0, 0), (Rgb{0, 0, 255}));
}

TEST(Canvas, SeeThroughPixelsKeepWhatWasBelow) {
  const Pictures pictures = test_pictures();
  Canvas canvas(pictures);
  canvas.PaintPicture(Picture::mur, 0, 0);
  canvas.PaintPicture(Picture::glouton, 0, 0);
  EXPECT_EQ(at(canvas, 5, 5), (Rgb{50, 50, 50}));
  EXPECT_EQ(at(canvas, 20, 5), (Rgb{255, 0, 0}));
}

TEST(Canvas, RemembersTheBoxAroundWhatChangedClippedToTheCanvas) {
  const Pictures pictures = test_pictures();
  Canvas canvas(pictures);
  canvas.take_changed();
  EXPECT_FALSE(canvas.changed());
  canvas.PaintPicture(Picture::mur, 480, 960);   // (32, 64)
  canvas.PaintPicture(Picture::mur, 1440, 480);  // (96, 32)
  std::optional<SDL_Rect> changed = canvas.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {32, 32, 96, 64}));
  canvas.PaintPicture(Picture::mur, 9360, 6600);  // (624, 440): only 20 × 8 inside
  changed = canvas.take_changed();
  ASSERT_TRUE(changed);
  EXPECT_TRUE(same(*changed, {624, 440, 20, 8}));
  EXPECT_EQ(at(canvas, 643, 447), (Rgb{50, 50, 50}));
  canvas.PaintPicture(Picture::mur, 20000, 0);  // wholly outside: no change at all
  EXPECT_FALSE(canvas.changed());
}

TEST(Canvas, UnionOfRectangles) {
  EXPECT_TRUE(same(union_of({0, 0, 0, 0}, {5, 6, 7, 8}), {5, 6, 7, 8}));
  EXPECT_TRUE(same(union_of({5, 6, 7, 8}, {0, 0, 0, 0}), {5, 6, 7, 8}));
  EXPECT_TRUE(same(union_of({0, 0, 10, 10}, {20, 5, 5, 20}), {0, 0, 25, 25}));
  EXPECT_TRUE(same(union_of({0, 0, 10, 10}, {2, 2, 3, 3}), {0, 0, 10, 10}));
}

}  // namespace
}  // namespace glouton::platform
