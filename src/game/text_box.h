// A read-only text box of the game window (the score and the best score).
#pragma once

#include <string>

namespace glouton {

// Plain data: the platform draws it, the trace reads it.
struct TextBox {
  std::string Text;
  bool Enabled = false;
};

}  // namespace glouton
