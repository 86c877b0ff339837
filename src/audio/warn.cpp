#include "audio/warn.h"

#include <cstdio>

namespace glouton {

void warn_on_stderr(const std::string& line) {
  std::fprintf(stderr, "glouton: %s\n", line.c_str());
}

}  // namespace glouton
