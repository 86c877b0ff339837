// Where a window's picture shows inside it: the largest whole scale that
// fits, centred, bars around it. Plain arithmetic with no SDL, shared by
// drawing, the mouse and touch, in every frontend.
#pragma once

#include <optional>

namespace glouton {

struct PixelRect {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

struct Point {
  int x = 0, y = 0;
};

struct Size {
  int w = 0, h = 0;
};

// The largest whole k (at least 1) with content_w*k <= area_w and content_h*k <= area_h.
int whole_scale(int content_w, int content_h, int area_w, int area_h);

struct View {
  int scale = 1;
  int x = 0, y = 0;  // the canvas's top-left corner in the output, may be negative if it cannot fit

  // A canvas rectangle in output pixels.
  PixelRect to_output(const PixelRect& r) const {
    return {x + r.x * scale, y + r.y * scale, r.w * scale, r.h * scale};
  }
  // An output pixel in canvas pixels (may fall outside the canvas, in the bars).
  Point to_canvas(int ox, int oy) const;
};

// The canvas of content_w × content_h shown in an output of out_w × out_h.
View fit_view(int content_w, int content_h, int out_w, int out_h);

// A point of a window, in the units mouse events give, in canvas pixels. The
// window counts in points and draws in `output` pixels, more of them than
// points on a HiDPI screen: the point's middle is taken to the output, then
// back through the whole scale and the bars to the canvas.
Point window_to_canvas(int content_w, int content_h, Size window, Size output, Point p);

}  // namespace glouton
