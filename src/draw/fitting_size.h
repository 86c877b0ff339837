// The title's size: "GLOUTON" at 48 pt is wider than its label, so the word
// is shown whole, a little smaller, rather than cut at both ends. The glyph
// atlas tool (tools/glyph-atlas.cpp) sizes the title's font with it.
#pragma once

#include <algorithm>
#include <functional>
#include <string_view>

namespace glouton::draw {

// Room between the title's ends and its label's sides, in pixels.
inline constexpr int title_margin = 4;

// The largest size of at most `pixels` at which `text` is no wider than
// `width`, at least 1 (the font's width grows with its size).
inline int fitting_size(int pixels, int width, std::string_view text,
                        const std::function<int(int size, std::string_view text)>& width_at) {
  int size = pixels;
  const int at_full = width_at(size, text);
  // A first guess in proportion, then down a pixel at a time: hinting is not linear.
  if (at_full > width && at_full > 0) size = std::max(1, pixels * width / at_full);
  while (size > 1 && width_at(size, text) > width) --size;
  return size;
}

}  // namespace glouton::draw
