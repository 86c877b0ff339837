// A failure that stops the game before its window opens: a data file found
// nowhere or unreadable, no display. main() prints it and exits 1.
#pragma once

#include <stdexcept>
#include <string>

namespace glouton::platform {

struct StartupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace glouton::platform
