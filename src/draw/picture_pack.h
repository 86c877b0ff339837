// The game's pictures, built into every program (tools/picture-pack.cpp):
// read from assets/*.xpm and converted at build time, so that no picture is
// read, nor can go missing, when the game runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glouton::draw {

struct PackedPicture {
  std::string_view name;  // "glouton", as assets/glouton.xpm
  int w, h;
  const std::uint32_t* colours;  // 0xAARRGGBB, see-through pixels with alpha 0
  const std::uint8_t* pixels;    // w * h indices into colours, row by row
};

extern const PackedPicture picture_pack[];
extern const std::size_t picture_pack_size;

}  // namespace glouton::draw
