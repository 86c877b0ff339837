// SDL keys as the game's virtual key codes.
#include <gtest/gtest.h>

#include "platform/key_codes.h"

namespace glouton::platform {
namespace {

struct KeyRow {
  SDL_Keycode key;
  SDL_Scancode scancode;
  bool num_lock;
  int code;
  const char* why;
};

const KeyRow key_rows[] = {
    // The game's keys.
    {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, true, 27, "Escape"},
    {SDLK_SPACE, SDL_SCANCODE_SPACE, true, 32, "space"},
    {SDLK_LEFT, SDL_SCANCODE_LEFT, true, 37, "left"},
    {SDLK_UP, SDL_SCANCODE_UP, true, 38, "up"},
    {SDLK_RIGHT, SDL_SCANCODE_RIGHT, true, 39, "right"},
    {SDLK_DOWN, SDL_SCANCODE_DOWN, true, 40, "down"},
    // Letters and digits follow the layout.
    {SDLK_a, SDL_SCANCODE_A, true, 65, "A"},
    {SDLK_z, SDL_SCANCODE_Z, true, 90, "Z"},
    {SDLK_a, SDL_SCANCODE_Q, true, 65, "A where QWERTY has Q"},
    {SDLK_0, SDL_SCANCODE_0, true, 48, "0"},
    {SDLK_9, SDL_SCANCODE_9, true, 57, "9"},
    {0xE9, SDL_SCANCODE_2, true, 50, "a digit key whose character is not a digit (French é)"},
    {0x0444, SDL_SCANCODE_A, true, 65, "a letter of a non-Latin layout keeps its place's letter"},
    // Modifiers and editing keys.
    {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, true, 16, "left Shift"},
    {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, true, 16, "right Shift"},
    {SDLK_LCTRL, SDL_SCANCODE_LCTRL, true, 17, "left Ctrl"},
    {SDLK_RALT, SDL_SCANCODE_RALT, true, 18, "right Alt"},
    {SDLK_RETURN, SDL_SCANCODE_RETURN, true, 13, "Return"},
    {SDLK_TAB, SDL_SCANCODE_TAB, true, 9, "Tab"},
    {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, true, 8, "Backspace"},
    {SDLK_F1, SDL_SCANCODE_F1, true, 112, "F1"},
    {SDLK_F12, SDL_SCANCODE_F12, true, 123, "F12"},
    {SDLK_DELETE, SDL_SCANCODE_DELETE, true, 46, "Delete"},
    {SDLK_COMMA, SDL_SCANCODE_COMMA, true, 188, "comma"},
    // The keypad follows Num Lock.
    {SDLK_KP_8, SDL_SCANCODE_KP_8, true, 104, "keypad 8, Num Lock on"},
    {SDLK_KP_0, SDL_SCANCODE_KP_0, true, 96, "keypad 0, Num Lock on"},
    {SDLK_KP_8, SDL_SCANCODE_KP_8, false, 38, "keypad 8, Num Lock off: up"},
    {SDLK_KP_4, SDL_SCANCODE_KP_4, false, 37, "keypad 4, Num Lock off: left"},
    {SDLK_KP_6, SDL_SCANCODE_KP_6, false, 39, "keypad 6, Num Lock off: right"},
    {SDLK_KP_2, SDL_SCANCODE_KP_2, false, 40, "keypad 2, Num Lock off: down"},
    {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, false, 13, "keypad Enter"},
    {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, true, 107, "keypad +"},
    // Any other key still has a code.
    {SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY, true, unknown_key_code, "a media key"},
    {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, true, unknown_key_code, "an unknown key"},
};

TEST(KeyCodes, EachKeyHasItsVirtualCode) {
  for (const KeyRow& row : key_rows) {
    EXPECT_EQ(virtual_key_code(row.key, row.scancode, row.num_lock), row.code) << row.why;
  }
}

}  // namespace
}  // namespace glouton::platform
