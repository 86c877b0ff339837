#include "platform/key_codes.h"

#include "ports/keys.h"

namespace glouton::platform {

namespace {

// Keys whose code does not follow from a character, by where they sit on the
// keyboard; also the fallback for a letter key of a non-Latin layout.
int code_of_scancode(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24) return 124 + (sc - SDL_SCANCODE_F13);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
  switch (sc) {
    case SDL_SCANCODE_0:
      return '0';
    case SDL_SCANCODE_KP_0:
      return 96;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_RETURN2:
    case SDL_SCANCODE_KP_ENTER:
      return key_enter;
    case SDL_SCANCODE_ESCAPE:
      return key_escape;
    case SDL_SCANCODE_BACKSPACE:
      return 8;
    case SDL_SCANCODE_TAB:
      return 9;
    case SDL_SCANCODE_SPACE:
      return key_space;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return 16;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return 17;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return 18;
    case SDL_SCANCODE_PAUSE:
      return 19;
    case SDL_SCANCODE_CAPSLOCK:
      return 20;
    case SDL_SCANCODE_PAGEUP:
      return 33;
    case SDL_SCANCODE_PAGEDOWN:
      return 34;
    case SDL_SCANCODE_END:
      return 35;
    case SDL_SCANCODE_HOME:
      return 36;
    case SDL_SCANCODE_LEFT:
      return key_left;
    case SDL_SCANCODE_UP:
      return key_up;
    case SDL_SCANCODE_RIGHT:
      return key_right;
    case SDL_SCANCODE_DOWN:
      return key_down;
    case SDL_SCANCODE_PRINTSCREEN:
      return 44;
    case SDL_SCANCODE_INSERT:
      return 45;
    case SDL_SCANCODE_DELETE:
      return 46;
    case SDL_SCANCODE_LGUI:
      return 91;
    case SDL_SCANCODE_RGUI:
      return 92;
    case SDL_SCANCODE_APPLICATION:
      return 93;
    case SDL_SCANCODE_KP_MULTIPLY:
      return 106;
    case SDL_SCANCODE_KP_PLUS:
      return 107;
    case SDL_SCANCODE_KP_MINUS:
      return 109;
    case SDL_SCANCODE_KP_PERIOD:
      return 110;
    case SDL_SCANCODE_KP_DIVIDE:
      return 111;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return 144;
    case SDL_SCANCODE_SCROLLLOCK:
      return 145;
    case SDL_SCANCODE_SEMICOLON:
      return 186;
    case SDL_SCANCODE_EQUALS:
      return 187;
    case SDL_SCANCODE_COMMA:
      return 188;
    case SDL_SCANCODE_MINUS:
      return 189;
    case SDL_SCANCODE_PERIOD:
      return 190;
    case SDL_SCANCODE_SLASH:
      return 191;
    case SDL_SCANCODE_GRAVE:
      return 192;
    case SDL_SCANCODE_LEFTBRACKET:
      return 219;
    case SDL_SCANCODE_BACKSLASH:
      return 220;
    case SDL_SCANCODE_RIGHTBRACKET:
      return 221;
    case SDL_SCANCODE_APOSTROPHE:
      return 222;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return 226;
    default:
      return unknown_key_code;
  }
}

// A keypad key while Num Lock is off.
int code_of_keypad_without_num_lock(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_KP_1:
      return 35;
    case SDL_SCANCODE_KP_2:
      return key_down;
    case SDL_SCANCODE_KP_3:
      return 34;
    case SDL_SCANCODE_KP_4:
      return key_left;
    case SDL_SCANCODE_KP_5:
      return 12;
    case SDL_SCANCODE_KP_6:
      return key_right;
    case SDL_SCANCODE_KP_7:
      return 36;
    case SDL_SCANCODE_KP_8:
      return key_up;
    case SDL_SCANCODE_KP_9:
      return 33;
    case SDL_SCANCODE_KP_0:
      return 45;
    case SDL_SCANCODE_KP_PERIOD:
      return 46;
    default:
      return code_of_scancode(sc);
  }
}

}  // namespace

int virtual_key_code(SDL_Keycode key, SDL_Scancode scancode, bool num_lock) {
  // Letters and digits follow the layout, as the game's keys always have;
  // the keypad is told apart by its scancode.
  if (scancode >= SDL_SCANCODE_KP_DIVIDE && scancode <= SDL_SCANCODE_KP_PERIOD)
    return num_lock ? code_of_scancode(scancode) : code_of_keypad_without_num_lock(scancode);
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  return code_of_scancode(scancode);
}

}  // namespace glouton::platform
