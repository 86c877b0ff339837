#include "platform/pictures.h"

#ifdef GLOUTON_BUILT_IN_PICTURES
#include <algorithm>

#include "platform/built_in_pictures.h"
#else
#include <SDL_image.h>
#endif

#include <string>

#include "platform/data_files.h"
#include "platform/startup_error.h"
#include "ports/geometry.h"

namespace glouton::platform {

namespace {

bool see_through_anywhere(const SDL_Surface& picture) {
  const Uint32 opaque = picture.format->Amask;
  for (int y = 0; y < picture.h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(picture.pixels) +
                                                      y * picture.pitch);
    for (int x = 0; x < picture.w; ++x)
      if ((row[x] & opaque) != opaque) return true;
  }
  return false;
}

// A picture with no see-through pixel (the floor, the pellet, the wall) is
// copied: the same pixels as blending it, for less work on every step.
SurfacePtr blended_where_see_through(SurfacePtr picture) {
  if (picture)
    SDL_SetSurfaceBlendMode(
        picture.get(), see_through_anywhere(*picture) ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
  return picture;
}

}  // namespace

SurfacePtr to_blit_format(SDL_Surface* picture) {
  // SDL_ConvertSurfaceFormat turns a colour key into alpha when the target
  // format has an alpha channel, which is what keeps the icons' see-through parts.
  return blended_where_see_through(SurfacePtr(SDL_ConvertSurfaceFormat(picture, pixel_format, 0)));
}

#ifdef GLOUTON_BUILT_IN_PICTURES

SurfacePtr load_picture_file(std::string_view relative_name) {
  const BuiltInPicture* end = built_in_pictures + built_in_picture_count;
  const BuiltInPicture* p = std::find_if(
      built_in_pictures, end, [&](const BuiltInPicture& b) { return b.name == relative_name; });
  if (p == end) throw StartupError("picture " + std::string(relative_name) + " is not built in");
  SurfacePtr picture(SDL_CreateRGBSurfaceWithFormat(0, p->w, p->h, 32, pixel_format));
  if (!picture)
    throw StartupError("cannot make picture " + std::string(relative_name) + ": " + SDL_GetError());
  for (int y = 0; y < p->h; ++y) {
    auto* row =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
    const std::uint8_t* indices = p->pixels + static_cast<std::size_t>(y) * p->w;
    std::transform(indices, indices + p->w, row, [p](std::uint8_t i) { return p->colours[i]; });
  }
  return blended_where_see_through(std::move(picture));
}

#else

SurfacePtr load_picture_file(std::string_view relative_name) {
  const std::optional<std::string> path = find_data_file(relative_name);
  if (!path)
    throw StartupError("picture " + std::string(relative_name) + " not found (looked in " +
                       describe_data_folders() + ")");
  SurfacePtr loaded(IMG_Load(path->c_str()));
  if (!loaded) throw StartupError("cannot read picture " + *path + ": " + IMG_GetError());
  SurfacePtr converted = to_blit_format(loaded.get());
  if (!converted) throw StartupError("cannot convert picture " + *path + ": " + SDL_GetError());
  return converted;
}

#endif

Pictures load_pictures() {
  Pictures pictures;
  for (int i = 0; i < picture_count; ++i) {
    const std::string name =
        "assets/" + std::string(picture_names[static_cast<std::size_t>(i)]) + ".xpm";
    SurfacePtr& sprite = pictures.sprites[static_cast<std::size_t>(i)];
    sprite = load_picture_file(name);
    // The game places its sprites on a grid of that size.
    if (sprite->w != sprite_pixels || sprite->h != sprite_pixels)
      throw StartupError("picture " + name + " is " + std::to_string(sprite->w) + " x " +
                         std::to_string(sprite->h) + " pixels, not " +
                         std::to_string(sprite_pixels) + " x " + std::to_string(sprite_pixels));
  }
  pictures.score_caption = load_picture_file("assets/score.xpm");
  pictures.highs_caption = load_picture_file("assets/highs.xpm");
  pictures.face = load_picture_file("assets/face.xpm");
  return pictures;
}

}  // namespace glouton::platform
