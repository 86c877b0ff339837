// A window's picture in plain memory, for any frontend to put on its screen:
// 32-bit pixels (0xAARRGGBB, the alpha of no meaning once drawn), row by row,
// and the rectangles changed since the frontend last took them.
#pragma once

#include <cstdint>
#include <vector>

#include "screen/fit.h"

namespace glouton::draw {

// The part of `a` inside `b`; empty (w or h 0) when they do not meet.
PixelRect intersect(const PixelRect& a, const PixelRect& b);
inline bool empty(const PixelRect& r) {
  return r.w <= 0 || r.h <= 0;
}
// The smallest rectangle round both.
PixelRect bounding(const PixelRect& a, const PixelRect& b);

// `src` over `dst`, its alpha its weight, as SDL's blitter blends on x86-64:
// each colour s·a/256 + d·(255−a)/256, each rounded down, alpha
// a·255/256 + d·(255−a)/256; a pixel with alpha 0 leaves `dst`, one with
// 255 replaces it. The same pixels on every target.
inline void blend(std::uint32_t& dst, std::uint32_t src) {
  const std::uint32_t a = src >> 24;
  if (a == 0) return;
  if (a == 255) {
    dst = src;
    return;
  }
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xff, d = (dst >> shift) & 0xff;
    const std::uint32_t weight = shift == 24 ? 255 : a;
    const std::uint32_t v = ((s * weight) >> 8) + ((d * (255 - a)) >> 8);
    out |= (v > 255 ? 255 : v) << shift;
  }
  dst = out;
}

class PixelBuffer {
 public:
  // w × h pixels of `colour`, all of it changed.
  PixelBuffer(int w, int h, std::uint32_t colour);

  int width() const { return w_; }
  int height() const { return h_; }
  PixelRect whole() const { return {0, 0, w_, h_}; }
  std::uint32_t at(int x, int y) const { return pixels_[index(x, y)]; }
  std::uint32_t& at(int x, int y) { return pixels_[index(x, y)]; }
  const std::uint32_t* data() const { return pixels_.data(); }

  // Drawing marks nothing by itself: whoever draws says what changed.
  void fill(const PixelRect& r, std::uint32_t colour);
  // The pixels of `from` (the same size) inside `r`.
  void copy(const PixelBuffer& from, const PixelRect& r);

  // `r`, cut to the buffer, changed. Rectangles that meet become one.
  void mark(const PixelRect& r);
  bool changed() const { return !changed_.empty(); }
  // The rectangles changed since the last call, none overlapping.
  std::vector<PixelRect> take_changed();

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }

  int w_, h_;
  std::vector<std::uint32_t> pixels_;
  std::vector<PixelRect> changed_;
};

}  // namespace glouton::draw
