// SDL keys as the game's virtual key codes (27 Escape, 37..40 the arrows,
// 65..90 the letters, ...). Every key gets a code: every press counts.
#pragma once

#include <SDL_keyboard.h>

namespace glouton::platform {

// The code given to a key the game has no name for.
inline constexpr int unknown_key_code = 255;

// `num_lock`: the keypad's digits are digits; without it they are the arrows,
// Home, End, ... printed under them.
int virtual_key_code(SDL_Keycode key, SDL_Scancode scancode, bool num_lock);

}  // namespace glouton::platform
