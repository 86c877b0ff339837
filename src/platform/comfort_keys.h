// The keys both windows answer for the player's comfort before the game sees
// them: F11 and Alt+Enter switch fullscreen, M switches every sound off and
// on. In the game window they still reach the game as key presses.
#pragma once

#include <SDL_keyboard.h>

namespace glouton::platform {

enum class Comfort { none, fullscreen, mute };

// What a key press asks of the window, besides being a key of the game. A
// held key's repeats ask nothing: a key switches once however long it is down.
Comfort comfort_of(SDL_Keycode key, Uint16 mod, bool repeat);

}  // namespace glouton::platform
