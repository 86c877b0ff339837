// The pictures of both windows, from the picture pack: the game's eleven
// sprites and two captions, and the title's face.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "draw/pixel_buffer.h"
#include "ports/picture.h"

namespace glouton::draw {

struct Image {
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row by row
};

struct Pictures {
  std::array<Image, picture_count> sprites;
  Image score_caption;  // the game window's "SCORE"
  Image highs_caption;  // the game window's "HighS:", beside the best score
  Image face;           // the title window's sliding face, its Image1

  const Image& sprite(Picture p) const { return sprites[static_cast<std::size_t>(p)]; }
};

// Unpacked once, on first use.
const Pictures& pictures();

// `image` with its corner at (x, y) over `target`, inside `clip`, its
// see-through pixels leaving what was there.
void draw_image(PixelBuffer& target, const Image& image, int x, int y, const PixelRect& clip);

}  // namespace glouton::draw
