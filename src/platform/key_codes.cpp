#include "platform/key_codes.h"

#include <utility>

#include "ports/keys.h"

namespace glouton::platform {

namespace {

// Keys whose code does not follow from a character, by where they sit on the
// keyboard; also the fallback for a letter key of a non-Latin layout.
constexpr std::pair<SDL_Scancode, int> by_scancode[] = {
    {SDL_SCANCODE_0, '0'},
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_RETURN, key_enter},
    {SDL_SCANCODE_RETURN2, key_enter},
    {SDL_SCANCODE_KP_ENTER, key_enter},
    {SDL_SCANCODE_ESCAPE, key_escape},
    {SDL_SCANCODE_BACKSPACE, 8},
    {SDL_SCANCODE_TAB, 9},
    {SDL_SCANCODE_SPACE, key_space},
    {SDL_SCANCODE_LSHIFT, 16},
    {SDL_SCANCODE_RSHIFT, 16},
    {SDL_SCANCODE_LCTRL, 17},
    {SDL_SCANCODE_RCTRL, 17},
    {SDL_SCANCODE_LALT, 18},
    {SDL_SCANCODE_RALT, 18},
    {SDL_SCANCODE_PAUSE, 19},
    {SDL_SCANCODE_CAPSLOCK, 20},
    {SDL_SCANCODE_PAGEUP, 33},
    {SDL_SCANCODE_PAGEDOWN, 34},
    {SDL_SCANCODE_END, 35},
    {SDL_SCANCODE_HOME, 36},
    {SDL_SCANCODE_LEFT, key_left},
    {SDL_SCANCODE_UP, key_up},
    {SDL_SCANCODE_RIGHT, key_right},
    {SDL_SCANCODE_DOWN, key_down},
    {SDL_SCANCODE_PRINTSCREEN, 44},
    {SDL_SCANCODE_INSERT, 45},
    {SDL_SCANCODE_DELETE, 46},
    {SDL_SCANCODE_LGUI, 91},
    {SDL_SCANCODE_RGUI, 92},
    {SDL_SCANCODE_APPLICATION, 93},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_NUMLOCKCLEAR, 144},
    {SDL_SCANCODE_SCROLLLOCK, 145},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

// The keypad's keys while Num Lock is off: what is printed under the digits.
constexpr std::pair<SDL_Scancode, int> keypad_without_num_lock[] = {
    {SDL_SCANCODE_KP_1, 35},       {SDL_SCANCODE_KP_2, key_down}, {SDL_SCANCODE_KP_3, 34},
    {SDL_SCANCODE_KP_4, key_left}, {SDL_SCANCODE_KP_5, 12},       {SDL_SCANCODE_KP_6, key_right},
    {SDL_SCANCODE_KP_7, 36},       {SDL_SCANCODE_KP_8, key_up},   {SDL_SCANCODE_KP_9, 33},
    {SDL_SCANCODE_KP_0, 45},       {SDL_SCANCODE_KP_PERIOD, 46},
};

int code_of_scancode(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return '1' + (sc - SDL_SCANCODE_1);
  if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
  if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24) return 124 + (sc - SDL_SCANCODE_F13);
  if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
  for (const auto& [scancode, code] : by_scancode)
    if (scancode == sc) return code;
  return unknown_key_code;
}

int code_of_keypad_without_num_lock(SDL_Scancode sc) {
  for (const auto& [scancode, code] : keypad_without_num_lock)
    if (scancode == sc) return code;
  return code_of_scancode(sc);
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
