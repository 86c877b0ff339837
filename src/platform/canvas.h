// The game window's persistent drawing surface: an off-screen canvas that
// keeps every picture painted on it and remembers which part changed.
#pragma once

#include <optional>

#include "platform/pictures.h"
#include "window/surface.h"

namespace glouton::platform {

inline constexpr int canvas_width = 644;   // 9,660 twips
inline constexpr int canvas_height = 448;  // 6,720 twips

// The bounding box of two rectangles; an empty one adds nothing.
SDL_Rect union_of(const SDL_Rect& a, const SDL_Rect& b);

class Canvas final : public Surface {
 public:
  // Filled with the window's blue. The pictures must outlive the canvas.
  explicit Canvas(const Pictures& pictures);

  void PaintPicture(Picture picture, int x, int y) override;
  int Width(Picture picture) const override;
  int Height(Picture picture) const override;

  const SDL_Surface& pixels() const { return *surface_; }
  // The part painted since the last call, if any.
  std::optional<SDL_Rect> take_changed();
  bool changed() const { return changed_.has_value(); }

 private:
  const Pictures& pictures_;
  SurfacePtr surface_;
  std::optional<SDL_Rect> changed_;
};

}  // namespace glouton::platform
