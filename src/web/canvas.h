// The page's one canvas: a window's picture put on it (the changed rectangles
// only), fitted to the room the page leaves the game, upright or sideways,
// with sharp pixels; and a point of the canvas, in CSS pixels, in the picture.
#pragma once

#include <memory>
#include <vector>

#include "draw/pixel_buffer.h"
#include "screen/fit.h"

namespace glouton::web {

class Canvas {
 public:
  // Puts `changed` of `picture` on the canvas; the whole picture when it is
  // another window's, or the page changed size since.
  void show(const draw::PixelBuffer& picture, const std::vector<PixelRect>& changed);
  // The page may have changed size (a turned phone, fullscreen, the
  // browser's bars): true when the next show() draws the whole picture.
  bool refit();
  // The next show() draws the whole picture: another window's.
  void redraw() { whole_ = true; }
  // A point of the canvas in CSS pixels, in the picture's pixels.
  Point to_picture(double css_x, double css_y) const;
  // The CSS pixels one of the picture's pixels spans; 0 before it shows.
  double css_per_pixel() const;

 private:
  Size content_;  // the picture's size
  View view_;     // where it shows in the canvas's pixels
  bool browser_scales_ = true;
  Size canvas_;                            // the canvas's own pixels
  bool whole_ = true;                      // the next show() draws it all
  std::unique_ptr<std::uint32_t[]> rgba_;  // one rectangle, as the canvas takes it
  std::size_t rgba_size_ = 0;
};

}  // namespace glouton::web
