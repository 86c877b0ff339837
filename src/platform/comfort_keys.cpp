#include "platform/comfort_keys.h"

namespace glouton::platform {

namespace {

bool is_enter(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_RETURN2;
}

}  // namespace

Comfort comfort_of(SDL_Keycode key, Uint16 mod, bool repeat) {
  if (repeat) return Comfort::none;
  if (key == SDLK_F11) return Comfort::fullscreen;
  if (is_enter(key) && (mod & KMOD_ALT) != 0) return Comfort::fullscreen;
  // Ctrl+M, Alt+M and the like belong to the desktop, not to the sound.
  if (key == SDLK_m && (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) == 0) return Comfort::mute;
  return Comfort::none;
}

}  // namespace glouton::platform
