// The page's pictures, built into the program (tools/picture-pack.cpp): read
// and converted to the blitting format at build time, the same pixels the
// desktop gets from the picture files, without SDL_image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace glouton::platform {

struct BuiltInPicture {
  std::string_view name;  // "assets/glouton.xpm"
  int w, h;
  const std::uint32_t* colours;  // in the blitting format
  const std::uint8_t* pixels;    // w * h indices into colours, row by row
};

extern const BuiltInPicture built_in_pictures[];
extern const std::size_t built_in_picture_count;

}  // namespace glouton::platform
