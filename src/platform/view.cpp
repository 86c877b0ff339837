#include "platform/view.h"

#include <algorithm>

namespace glouton::platform {

namespace {

int floor_div(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

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

}  // namespace glouton::platform
