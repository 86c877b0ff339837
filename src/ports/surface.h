// The game window's persistent drawing surface, as the core paints on it.
#pragma once

#include "ports/geometry.h"
#include "ports/picture.h"

namespace glouton {

// Positions and sizes are twips; pixels exist only at the platform's edge.
class Surface {
 public:
  virtual ~Surface() = default;
  // Paints the whole picture (a sprite of sprite_twips square) with its
  // top-left corner at (x, y).
  virtual void PaintPicture(Picture picture, int x, int y) = 0;
};

// Paints a picture on the tile of cell (column c, row r).
inline void paint_on_cell(Surface& s, Picture picture, int c, int r) {
  s.PaintPicture(picture, c * sprite_twips, r * sprite_twips);
}

}  // namespace glouton
