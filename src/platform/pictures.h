// The pictures read from their files: the game window's eleven sprites and
// two captions, and the title window's face, converted once to the blitting format.
#pragma once

#include <array>
#include <string_view>

#include "platform/sdl_handles.h"
#include "ports/picture.h"

namespace glouton::platform {

// Reads `assets/<name>.xpm` (any picture SDL_image reads) found through the
// data folders. Throws StartupError naming the file when it is found nowhere
// or cannot be read.
SurfacePtr load_picture_file(std::string_view relative_name);

// Converts a picture to the blitting format, its colour key becoming alpha.
SurfacePtr to_blit_format(SDL_Surface* picture);

struct Pictures {
  std::array<SurfacePtr, picture_count> sprites;
  SurfacePtr score_caption;  // the game window's "SCORE" caption
  SurfacePtr highs_caption;  // the game window's "HighS:" caption, beside the best score
  SurfacePtr face;           // the title window's sliding face, its Image1

  SDL_Surface* sprite(Picture p) const { return sprites[static_cast<std::size_t>(p)].get(); }
};

// Every picture of both windows; throws StartupError at the first missing one.
Pictures load_pictures();

}  // namespace glouton::platform
