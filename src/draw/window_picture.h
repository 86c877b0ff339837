// A window's whole picture: what the window's logic draws (the game's paints,
// the title's labels and face) with the controls over it, in one buffer that
// keeps the list of what changed for the frontend. The controls are opaque
// where they are not see-through altogether, so what lies under them needs no
// keeping: drawing under a control draws the control again there.
#pragma once

#include <cstdint>
#include <vector>

#include "draw/pixel_buffer.h"

namespace glouton::draw {

class WindowPicture {
 public:
  virtual ~WindowPicture() = default;

  const PixelBuffer& pixels() const { return picture_; }
  // The rectangles of the picture changed since the last call.
  std::vector<PixelRect> take_changed() { return picture_.take_changed(); }

 protected:
  WindowPicture(int w, int h, std::uint32_t back) : picture_(w, h, back) {}

  PixelBuffer& picture() { return picture_; }
  // The controls over the picture, drawn only inside `clip`.
  virtual void draw_controls(PixelBuffer& out, const PixelRect& clip) const = 0;
  // After drawing in `r`: the controls there drawn again, and `r` changed.
  void drawn(const PixelRect& r);

 private:
  PixelBuffer picture_;
};

}  // namespace glouton::draw
