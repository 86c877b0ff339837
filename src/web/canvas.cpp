#include "web/canvas.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace glouton::web {

// clang-format off
// `w` x `h` RGBA bytes at (x, y) of the picture. At a whole scale the canvas
// holds the picture's own pixels (the browser enlarges them, the page's CSS
// asks for no smoothing); at a fractional one they go to a canvas of the
// picture's size (`pw` x `ph`), drawn on the one shown by stretch_picture().
EM_JS(void, put_rgba, (const void* rgba, int w, int h, int x, int y, int direct, int pw, int ph), {
  let to = Module['canvas'];
  if (!direct) {
    to = Module['gloutonPicture'] || (Module['gloutonPicture'] = document.createElement('canvas'));
    if (to.width !== pw) to.width = pw;
    if (to.height !== ph) to.height = ph;
  }
  to.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h), x, y);
});
// The picture, whole, without smoothing, at (x, y, w, h) of the canvas shown.
EM_JS(void, stretch_picture, (int x, int y, int w, int h), {
  const c = Module['canvas'].getContext('2d');
  c.imageSmoothingEnabled = false;
  c.drawImage(Module['gloutonPicture'], x, y, w, h);
});
EM_JS(void, size_canvas, (int w, int h, int fills, double x, double y, double cw, double ch), {
  const canvas = Module['canvas'];
  if (canvas.width !== w) canvas.width = w;
  if (canvas.height !== h) canvas.height = h;
  const px = (v) => fills ? "" : v + "px";
  const style = canvas.style;
  style.left = px(x);
  style.top = px(y);
  style.width = px(cw);
  style.height = px(ch);
  if (fills) canvas.getContext('2d').fillRect(0, 0, w, h);  // black bars
});
// clang-format on

namespace {

// `n` pixels 0xAARRGGBB, little-endian in memory (B, G, R, A), as the
// canvas takes them: opaque R, G, B, A. Blue and red swap places, two pixels
// at a time (the first frame's 330,000 pixels run before the engine has
// optimized the code).
void opaque_rgba(const std::uint32_t* from, std::uint32_t* to, int n) {
  constexpr std::uint64_t alpha = 0xff000000ff000000, green = 0x0000ff000000ff00,
                          low = 0x000000ff000000ff;
  for (; n >= 2; n -= 2, from += 2, to += 2) {
    std::uint64_t two = 0;
    std::memcpy(&two, from, sizeof two);
    two = alpha | (two & green) | ((two >> 16) & low) | ((two & low) << 16);
    std::memcpy(to, &two, sizeof two);
  }
  if (n == 1)
    *to = 0xff000000 | (*from & 0x0000ff00) | ((*from >> 16) & 0xff) | ((*from & 0xff) << 16);
}

// Where no whole scale fills 90 % of the room (a phone held upright fills 55 %
// at 1x, held sideways 77 % at 2x), a fractional one fills it.
constexpr int page_min_fill = 90;

}  // namespace

bool Canvas::refit() {
  if (content_.w == 0) return false;
  double css_w = 0, css_h = 0;
  if (emscripten_get_element_css_size("#room", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS)
    return false;
  const double ratio = emscripten_get_device_pixel_ratio();
  const int room_w = std::max(1, static_cast<int>(std::lround(css_w * ratio)));
  const int room_h = std::max(1, static_cast<int>(std::lround(css_h * ratio)));
  const View v = fit_view(content_.w, content_.h, room_w, room_h, page_min_fill);
  // At a whole scale the browser enlarges the picture's own pixels: a quarter
  // of the pixels to draw at 2x. Its box must fall on whole device pixels: a
  // whole device pixel ratio that divides the enlarged size.
  const int per_css = static_cast<int>(ratio);
  const bool browser_scales = v.whole() && per_css >= 1 && per_css == ratio && v.x >= 0 &&
                              v.y >= 0 && content_.w * v.scale % per_css == 0 &&
                              content_.h * v.scale % per_css == 0;
  const Size canvas = browser_scales ? content_ : Size{room_w, room_h};
  if (browser_scales == browser_scales_ && canvas.w == canvas_.w && canvas.h == canvas_.h &&
      v.scale == view_.scale && v.per == view_.per && v.x == view_.x && v.y == view_.y && !whole_)
    return false;
  view_ = v;
  browser_scales_ = browser_scales;
  canvas_ = canvas;
  size_canvas(canvas.w, canvas.h, browser_scales ? 0 : 1, v.x / ratio, v.y / ratio,
              content_.w * v.scale / ratio / v.per, content_.h * v.scale / ratio / v.per);
  whole_ = true;
  return true;
}

void Canvas::show(const draw::PixelBuffer& picture, const std::vector<PixelRect>& changed) {
  if (picture.width() != content_.w || picture.height() != content_.h) {
    content_ = {picture.width(), picture.height()};
    whole_ = true;
    refit();
  }
  const bool whole = whole_;
  whole_ = false;
  std::vector<PixelRect> parts = whole ? std::vector<PixelRect>{picture.whole()} : changed;
  const PixelRect out = view_.to_output(picture.whole());
  bool stretched = false;
  for (const PixelRect& r : parts) {
    if (draw::empty(r)) continue;
    // 0xAARRGGBB, little-endian in memory (B, G, R, A), to the canvas's opaque R, G, B, A.
    const std::size_t size = static_cast<std::size_t>(r.w) * r.h;
    if (size > rgba_size_) {
      rgba_.reset(new std::uint32_t[size]);  // not cleared: each pixel is written below
      rgba_size_ = size;
    }
    std::uint32_t* to = rgba_.get();
    for (int y = r.y; y < r.y + r.h; ++y, to += r.w)
      opaque_rgba(picture.data() + static_cast<std::size_t>(y) * picture.width() + r.x, to, r.w);
    put_rgba(rgba_.get(), r.w, r.h, r.x, r.y, browser_scales_ ? 1 : 0, content_.w, content_.h);
    stretched = true;
  }
  // At a fractional scale a part stretched alone could sample its pixels
  // unlike the whole: the whole picture is stretched again.
  if (stretched && !browser_scales_) stretch_picture(out.x, out.y, out.w, out.h);
}

Point Canvas::to_picture(double css_x, double css_y) const {
  double css_w = 0, css_h = 0;
  if (emscripten_get_element_css_size("#canvas", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS ||
      css_w <= 0 || css_h <= 0)
    return {-1, -1};
  const auto x = static_cast<int>(css_x * canvas_.w / css_w);
  const auto y = static_cast<int>(css_y * canvas_.h / css_h);
  return browser_scales_ ? Point{x, y} : view_.to_canvas(x, y);
}

double Canvas::css_per_pixel() const {
  double css_w = 0, css_h = 0;
  if (canvas_.w <= 0 ||
      emscripten_get_element_css_size("#canvas", &css_w, &css_h) != EMSCRIPTEN_RESULT_SUCCESS)
    return 0;
  const double per_canvas_pixel = css_w / canvas_.w;
  return browser_scales_ ? per_canvas_pixel
                         : per_canvas_pixel * view_.scale / static_cast<double>(view_.per);
}

}  // namespace glouton::web
