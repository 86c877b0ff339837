// Where a window's picture shows inside it: the largest whole scale that
// fits, centred, bars around it (or, where asked, a fractional scale when no
// whole one fills enough). Plain arithmetic with no SDL, shared by drawing,
// the mouse and touch, in every frontend.
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
  // `scale` output pixels for `per` canvas pixels: a whole scale when `per` is 1.
  int scale = 1;
  int per = 1;
  int x = 0, y = 0;  // the canvas's top-left corner in the output, may be negative if it cannot fit

  bool whole() const { return per == 1; }
  // A canvas length from 0 in output pixels (rounded down).
  int length(int canvas) const;
  // A canvas rectangle in output pixels: at a fractional scale, rectangles
  // side by side stay side by side, with no gap and no overlap.
  PixelRect to_output(const PixelRect& r) const {
    return {x + length(r.x), y + length(r.y), length(r.x + r.w) - length(r.x),
            length(r.y + r.h) - length(r.y)};
  }
  // An output pixel in canvas pixels (may fall outside the canvas, in the bars).
  Point to_canvas(int ox, int oy) const;
};

// The canvas of content_w × content_h shown in an output of out_w × out_h.
// With `min_fill` (a percentage), where the largest whole scale fills less
// than that of the output's width or height (whichever limits it), or does
// not fit at all, the canvas takes the fractional scale that fills it.
View fit_view(int content_w, int content_h, int out_w, int out_h, int min_fill = 0);

// A point of a window, in the units mouse events give, in canvas pixels. The
// window counts in points and draws in `output` pixels, more of them than
// points on a HiDPI screen: the point's middle is taken to the output, then
// back through the whole scale and the bars to the canvas.
Point window_to_canvas(int content_w, int content_h, Size window, Size output, Point p,
                       int min_fill = 0);

}  // namespace glouton
