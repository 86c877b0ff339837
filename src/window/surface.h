// The game window's persistent drawing surface, as the core paints on it.
#pragma once

#include "window/picture.h"

namespace glouton {

// Positions and sizes are twips; pixels exist only at the platform's edge.
class Surface {
 public:
  virtual ~Surface() = default;
  // Paints the whole picture at its own size with its top-left corner at (x, y).
  virtual void PaintPicture(Picture picture, int x, int y) = 0;
  // The size of a picture's control, read at every painting.
  virtual int Width(Picture picture) const = 0;
  virtual int Height(Picture picture) const = 0;
};

// Paints a picture on the tile of cell (column c, row r): its corner is the
// cell index times the picture's own size.
inline void paint_on_cell(Surface& s, Picture picture, int c, int r) {
  s.PaintPicture(picture, c * s.Width(picture), r * s.Height(picture));
}

}  // namespace glouton
