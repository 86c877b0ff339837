#include "draw/pixel_buffer.h"

#include <algorithm>
#include <utility>

namespace glouton::draw {

namespace {

// A window's changes are a few cells a step: past this many, one rectangle
// round them all costs less to put on a screen than many small ones.
constexpr std::size_t most_rectangles = 8;

bool meet(const PixelRect& a, const PixelRect& b) {
  return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

}  // namespace

PixelRect bounding(const PixelRect& a, const PixelRect& b) {
  const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

PixelBuffer::PixelBuffer(int w, int h, std::uint32_t colour)
    : w_(w), h_(h), pixels_(static_cast<std::size_t>(w) * h, colour) {
  mark(whole());
}

void PixelBuffer::fill(const PixelRect& r, std::uint32_t colour) {
  const PixelRect in = intersect(r, whole());
  for (int y = in.y; y < in.y + in.h; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(index(in.x, y)), in.w, colour);
}

void PixelBuffer::copy(const PixelBuffer& from, const PixelRect& r) {
  const PixelRect in = intersect(intersect(r, whole()), from.whole());
  for (int y = in.y; y < in.y + in.h; ++y) {
    const auto first = from.pixels_.begin() + static_cast<std::ptrdiff_t>(from.index(in.x, y));
    std::copy(first, first + in.w, pixels_.begin() + static_cast<std::ptrdiff_t>(index(in.x, y)));
  }
}

void PixelBuffer::mark(const PixelRect& r) {
  PixelRect add = intersect(r, whole());
  if (empty(add)) return;
  // Whatever it meets joins it, until it meets nothing more.
  for (auto it = changed_.begin(); it != changed_.end();) {
    if (meet(*it, add)) {
      add = bounding(*it, add);
      changed_.erase(it);
      it = changed_.begin();
    } else {
      ++it;
    }
  }
  changed_.push_back(add);
  if (changed_.size() > most_rectangles) {
    PixelRect all = changed_.front();
    for (const PixelRect& c : changed_) all = bounding(all, c);
    changed_.assign(1, all);
  }
}

std::vector<PixelRect> PixelBuffer::take_changed() {
  return std::exchange(changed_, {});
}

}  // namespace glouton::draw
