#include "platform/sdl_context.h"

#include <SDL.h>

#include <clocale>
#include <cstdlib>
#include <string_view>

#include "platform/startup_error.h"
#include "platform/x11_guard.h"

namespace glouton::platform {

namespace {

bool set(const char* v) {
  return v && *v;
}

}  // namespace

std::string no_display_message(const char* display, const char* wayland, const std::string& error) {
  std::string why;
  if (!set(display) && !set(wayland))
    why = "DISPLAY is not set";
  else if (set(display))
    why = std::string("cannot open display ") + display;
  else
    why = std::string("cannot open Wayland display ") + wayland;
  if (!error.empty()) why += ": " + error;
  return "no display found (" + why + "); the game needs a graphical session";
}

SdlContext::SdlContext() {
  // A 644 x 448 canvas shown at a whole scale and presented only when it
  // changed needs no GPU: SDL's software renderer starts in a third of the
  // time and a fifth of the memory of a GL context. SDL_RENDER_DRIVER and
  // SDL_FRAMEBUFFER_ACCELERATION in the environment still choose otherwise.
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  guard_x11_wakeups();
  // X11 takes a window's title through the C library's character type: a
  // UTF-8 one carries the replay viewer's "—" and "×" (the "C" one drops the
  // whole title). Only LC_CTYPE: numbers are still written the C way.
  if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "");
  const bool driver_chosen = set(std::getenv("SDL_VIDEODRIVER"));
  const bool video = SDL_Init(SDL_INIT_VIDEO) == 0;
  const char* driver = video ? SDL_GetCurrentVideoDriver() : nullptr;
  const bool invisible = driver && std::string_view(driver) == "offscreen";
  if (!video || (invisible && !driver_chosen)) {
    const std::string error = video ? std::string() : SDL_GetError();
    if (video) SDL_Quit();
    throw StartupError(
        no_display_message(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), error));
  }
}

SdlContext::~SdlContext() {
  SDL_Quit();
}

}  // namespace glouton::platform
