// What a fuzz harness found wrong: a message on standard error and an abort,
// which libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace glouton::fuzz {

inline void require(bool ok, std::string_view what, std::string_view detail = {}) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n%.*s\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// Checks that a reader's error reads "PREFIX:LINE: why", printable, with LINE
// from 1 to `lines`, and returns LINE.
inline std::size_t error_line(const std::string& e, std::string_view prefix, std::size_t lines) {
  require(e.rfind(prefix, 0) == 0 && e.compare(prefix.size(), 1, ":") == 0,
          "error does not start with its prefix", e);
  const std::size_t from = prefix.size() + 1;
  std::size_t i = from, line = 0;
  while (i < e.size() && e[i] >= '0' && e[i] <= '9' && line <= lines)
    line = line * 10 + static_cast<std::size_t>(e[i++] - '0');
  require(i > from && e.compare(i, 2, ": ") == 0 && e.size() > i + 2, "no line number", e);
  require(line >= 1 && line <= lines, "line number outside the text", e);
  for (const char ch : e) require(ch >= 0x20 && ch < 0x7f, "unprintable error message", e);
  return line;
}

}  // namespace glouton::fuzz
