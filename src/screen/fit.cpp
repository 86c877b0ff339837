#include "screen/fit.h"

#include <algorithm>

#include "ports/geometry.h"

namespace glouton {

int whole_scale(int content_w, int content_h, int area_w, int area_h) {
  if (content_w <= 0 || content_h <= 0) return 1;
  return std::max(1, std::min(area_w / content_w, area_h / content_h));
}

View fit_view(int content_w, int content_h, int out_w, int out_h) {
  View v;
  v.scale = whole_scale(content_w, content_h, out_w, out_h);
  v.x = (out_w - content_w * v.scale) / 2;
  v.y = (out_h - content_h * v.scale) / 2;
  return v;
}

Point View::to_canvas(int ox, int oy) const {
  return {floor_div(ox - x, scale), floor_div(oy - y, scale)};
}

Point window_to_canvas(int content_w, int content_h, Size window, Size output, Point p) {
  if (window.w <= 0 || window.h <= 0 || output.w <= 0 || output.h <= 0)
    return fit_view(content_w, content_h, content_w, content_h).to_canvas(p.x, p.y);
  const int ox = floor_div((2 * p.x + 1) * output.w, 2 * window.w);
  const int oy = floor_div((2 * p.y + 1) * output.h, 2 * window.h);
  return fit_view(content_w, content_h, output.w, output.h).to_canvas(ox, oy);
}

}  // namespace glouton
