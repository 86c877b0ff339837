// The keys both windows answer for the player's comfort before the game sees
// them: F11 and Alt+Enter switch fullscreen, M switches every sound off and
// on. In the game window they still reach the game as key presses. Also the
// keys held down, so that none is left repeating once the focus has gone.
#pragma once

#include <SDL_keyboard.h>

#include <bitset>

namespace glouton::platform {

enum class Comfort { none, fullscreen, mute };

// What a key press asks of the window, besides being a key of the game. A
// held key's repeats ask nothing: a key switches once however long it is down.
Comfort comfort_of(SDL_Keycode key, Uint16 mod, bool repeat);

enum class TitleKey { none, go, fullscreen, mute };

// What a key press does on the title window: Enter, either one, and space
// click "GO !" once, unless Alt makes Enter the fullscreen key.
TitleKey title_key(SDL_Keycode key, Uint16 mod, bool repeat);

// The keys down as far as one window knows. A key-down counts for the game
// when it is a fresh press, or a repeat of a key this window saw go down and
// not come up since. Losing the focus forgets every key, so that no repeat
// that comes afterwards keeps a direction going.
class HeldKeys {
 public:
  bool press(SDL_Scancode key, bool repeat);
  void release(SDL_Scancode key);
  void forget() { down_.reset(); }
  bool held(SDL_Scancode key) const;

 private:
  std::bitset<SDL_NUM_SCANCODES> down_;
};

}  // namespace glouton::platform
