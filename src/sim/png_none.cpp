// The simulator of another target (the page's node build, Windows): no PNG.
#include "sim/png_file.h"

namespace glouton {

std::optional<std::string> write_png(const draw::PixelBuffer&, const std::string&) {
  return std::string("this build of glouton-sim writes no pictures");
}

}  // namespace glouton
