#include "draw/window_picture.h"

namespace glouton::draw {

void WindowPicture::drawn(const PixelRect& r) {
  const PixelRect in = intersect(r, picture_.whole());
  if (empty(in)) return;
  draw_controls(picture_, in);
  picture_.mark(in);
}

}  // namespace glouton::draw
