#include "draw/pictures.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "draw/picture_pack.h"

namespace glouton::draw {

namespace {

Image unpack(std::string_view name) {
  const PackedPicture* end = picture_pack + picture_pack_size;
  const PackedPicture* p =
      std::find_if(picture_pack, end, [&](const PackedPicture& b) { return b.name == name; });
  // The build packs every name the game draws: a miss is a fault of the build.
  if (p == end) throw std::logic_error("picture " + std::string(name) + " is not in the pack");
  Image image{p->w, p->h, std::vector<std::uint32_t>(static_cast<std::size_t>(p->w) * p->h)};
  std::transform(p->pixels, p->pixels + image.pixels.size(), image.pixels.begin(),
                 [p](std::uint8_t i) { return p->colours[i]; });
  return image;
}

Pictures unpack_all() {
  Pictures all;
  for (std::size_t i = 0; i < picture_count; ++i) all.sprites[i] = unpack(picture_names[i]);
  all.score_caption = unpack("score");
  all.highs_caption = unpack("highs");
  all.face = unpack("face");
  return all;
}

}  // namespace

const Pictures& pictures() {
  static const Pictures all = unpack_all();
  return all;
}

void draw_image(PixelBuffer& target, const Image& image, int x, int y, const PixelRect& clip) {
  const PixelRect in = intersect(intersect({x, y, image.w, image.h}, clip), target.whole());
  for (int row = in.y; row < in.y + in.h; ++row) {
    const std::uint32_t* from = &image.pixels[static_cast<std::size_t>(row - y) * image.w];
    for (int col = in.x; col < in.x + in.w; ++col) blend(target.at(col, row), from[col - x]);
  }
}

}  // namespace glouton::draw
