// SDL with its video, for as long as the game runs;
// refuses to run without a display rather than play in an invisible window.
#pragma once

#include <string>

namespace glouton::platform {

// Why the game cannot show itself, for the start-up message. Arguments are
// the environment's DISPLAY and WAYLAND_DISPLAY (null when unset) and SDL's error.
std::string no_display_message(const char* display, const char* wayland, const std::string& error);

class SdlContext {
 public:
  // Throws StartupError when there is no display: SDL fails to start its
  // video, or falls back on its invisible "offscreen" driver by itself.
  SdlContext();
  ~SdlContext();
  SdlContext(const SdlContext&) = delete;
  SdlContext& operator=(const SdlContext&) = delete;
};

}  // namespace glouton::platform
