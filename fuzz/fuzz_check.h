// What a fuzz harness found wrong: a message on standard error and an abort,
// which libFuzzer reports as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace glouton::fuzz {

inline void require(bool ok, std::string_view what, std::string_view detail = {}) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n%.*s\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

}  // namespace glouton::fuzz
