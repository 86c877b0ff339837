#include "draw/window_picture.h"

namespace glouton::draw {

void WindowPicture::compose(const std::vector<PixelRect>& also) {
  std::vector<PixelRect> parts = layer_.take_changed();
  parts.insert(parts.end(), also.begin(), also.end());
  for (const PixelRect& part : parts) {
    const PixelRect in = intersect(part, shown_.whole());
    if (empty(in)) continue;
    shown_.copy(layer_, in);
    draw_controls(shown_, in);
    shown_.mark(in);
  }
}

}  // namespace glouton::draw
