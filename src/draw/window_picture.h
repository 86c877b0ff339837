// A window's whole picture in two layers: what stays between frames (the
// game's paints, the title's drawing) and the controls over it. The picture
// shown is made anew only where the layer or a control changed, and keeps the
// list of what changed for the frontend.
#pragma once

#include <cstdint>
#include <vector>

#include "draw/pixel_buffer.h"

namespace glouton::draw {

class WindowPicture {
 public:
  virtual ~WindowPicture() = default;

  const PixelBuffer& pixels() const { return shown_; }
  // The rectangles of the picture changed since the last call.
  std::vector<PixelRect> take_changed() { return shown_.take_changed(); }

 protected:
  WindowPicture(int w, int h, std::uint32_t back) : layer_(w, h, back), shown_(w, h, back) {}

  // The layer under the controls: draw on it and mark what changed.
  PixelBuffer& layer() { return layer_; }
  // The controls over the layer, drawn only inside `clip`.
  virtual void draw_controls(PixelBuffer& out, const PixelRect& clip) const = 0;
  // Makes the picture anew where the layer changed and where `also` says.
  void compose(const std::vector<PixelRect>& also = {});

 private:
  PixelBuffer layer_;
  PixelBuffer shown_;
};

}  // namespace glouton::draw
