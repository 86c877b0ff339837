#include "screen/fit.h"

#include <algorithm>

#include "ports/geometry.h"

namespace glouton {

int whole_scale(int content_w, int content_h, int area_w, int area_h) {
  if (content_w <= 0 || content_h <= 0) return 1;
  return std::max(1, std::min(area_w / content_w, area_h / content_h));
}

View fit_view(int content_w, int content_h, int out_w, int out_h, int min_fill) {
  View v;
  v.scale = whole_scale(content_w, content_h, out_w, out_h);
  if (min_fill > 0 && content_w > 0 && content_h > 0 && out_w > 0 && out_h > 0) {
    const int k = v.scale;
    const bool fits = content_w * k <= out_w && content_h * k <= out_h;
    const bool fills =
        100 * content_w * k >= min_fill * out_w || 100 * content_h * k >= min_fill * out_h;
    if (!fits || !fills) {
      // The side that limits is filled exactly.
      if (out_w * content_h <= out_h * content_w) {
        v.scale = out_w;
        v.per = content_w;
      } else {
        v.scale = out_h;
        v.per = content_h;
      }
    }
  }
  v.x = (out_w - v.length(content_w)) / 2;
  v.y = (out_h - v.length(content_h)) / 2;
  return v;
}

int View::length(int canvas) const {
  return floor_div(canvas * scale, per);
}

Point View::to_canvas(int ox, int oy) const {
  // The canvas pixel whose output rectangle (to_output) holds the point.
  return {floor_div((ox - x + 1) * per - 1, scale), floor_div((oy - y + 1) * per - 1, scale)};
}

Point window_to_canvas(int content_w, int content_h, Size window, Size output, Point p,
                       int min_fill) {
  if (window.w <= 0 || window.h <= 0 || output.w <= 0 || output.h <= 0)
    return fit_view(content_w, content_h, content_w, content_h, min_fill).to_canvas(p.x, p.y);
  const int ox = floor_div((2 * p.x + 1) * output.w, 2 * window.w);
  const int oy = floor_div((2 * p.y + 1) * output.h, 2 * window.h);
  return fit_view(content_w, content_h, output.w, output.h, min_fill).to_canvas(ox, oy);
}

}  // namespace glouton
