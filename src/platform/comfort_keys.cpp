#include "platform/comfort_keys.h"

namespace glouton::platform {

namespace {

bool is_enter(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_RETURN2;
}

bool in_range(SDL_Scancode key) {
  return key > SDL_SCANCODE_UNKNOWN && key < SDL_NUM_SCANCODES;
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

TitleKey title_key(SDL_Keycode key, Uint16 mod, bool repeat) {
  switch (comfort_of(key, mod, repeat)) {
    case Comfort::fullscreen:
      return TitleKey::fullscreen;
    case Comfort::mute:
      return TitleKey::mute;
    case Comfort::none:
      break;
  }
  if (repeat) return TitleKey::none;
  if (is_enter(key) && (mod & KMOD_ALT) == 0) return TitleKey::go;
  if (key == SDLK_SPACE) return TitleKey::go;
  return TitleKey::none;
}

bool HeldKeys::press(SDL_Scancode key, bool repeat) {
  if (!in_range(key)) return true;  // a key with no place cannot be held: each press counts
  const auto at = static_cast<std::size_t>(key);
  if (repeat) return down_.test(at);
  down_.set(at);
  return true;
}

void HeldKeys::release(SDL_Scancode key) {
  if (in_range(key)) down_.reset(static_cast<std::size_t>(key));
}

bool HeldKeys::held(SDL_Scancode key) const {
  return in_range(key) && down_.test(static_cast<std::size_t>(key));
}

}  // namespace glouton::platform
