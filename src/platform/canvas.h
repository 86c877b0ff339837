// The game window's persistent drawing surface: an off-screen canvas that
// keeps every picture painted on it and remembers which part changed.
#pragma once

#include <optional>

#include "game/form1_layout.h"
#include "platform/pictures.h"
#include "ports/surface.h"

namespace glouton::platform {

inline constexpr int canvas_width = form1_width / twips_per_pixel;    // 644
inline constexpr int canvas_height = form1_height / twips_per_pixel;  // 448

// The bounding box of two rectangles; an empty one adds nothing.
SDL_Rect union_of(const SDL_Rect& a, const SDL_Rect& b);

class Canvas final : public Surface {
 public:
  // Filled with the window's blue. The pictures must outlive the canvas.
  explicit Canvas(const Pictures& pictures);

  void PaintPicture(Picture picture, int x, int y) override;
  // Blank again, as made.
  void clear();

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
