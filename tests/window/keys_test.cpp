// SDL keys as the game's virtual key codes.
#include <gtest/gtest.h>

#include "platform/key_codes.h"

namespace glouton::platform {
namespace {

int code(SDL_Keycode key, SDL_Scancode sc, bool num_lock = true) {
  return virtual_key_code(key, sc, num_lock);
}

TEST(KeyCodes, TheGamesKeys) {
  EXPECT_EQ(code(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(code(SDLK_SPACE, SDL_SCANCODE_SPACE), 32);
  EXPECT_EQ(code(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(code(SDLK_UP, SDL_SCANCODE_UP), 38);
  EXPECT_EQ(code(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(code(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
}

TEST(KeyCodes, LettersAndDigitsFollowTheLayout) {
  EXPECT_EQ(code(SDLK_a, SDL_SCANCODE_A), 65);
  EXPECT_EQ(code(SDLK_z, SDL_SCANCODE_Z), 90);
  EXPECT_EQ(code(SDLK_a, SDL_SCANCODE_Q), 65);  // A where QWERTY has Q
  EXPECT_EQ(code(SDLK_0, SDL_SCANCODE_0), 48);
  EXPECT_EQ(code(SDLK_9, SDL_SCANCODE_9), 57);
  // A digit key whose character is not a digit (é on a French keyboard) is still its digit.
  EXPECT_EQ(code(0xE9, SDL_SCANCODE_2), 50);
  // A letter key of a non-Latin layout keeps its place's letter.
  EXPECT_EQ(code(0x0444, SDL_SCANCODE_A), 65);
}

TEST(KeyCodes, ModifiersAndEditingKeys) {
  EXPECT_EQ(code(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), 16);
  EXPECT_EQ(code(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 16);
  EXPECT_EQ(code(SDLK_LCTRL, SDL_SCANCODE_LCTRL), 17);
  EXPECT_EQ(code(SDLK_RALT, SDL_SCANCODE_RALT), 18);
  EXPECT_EQ(code(SDLK_RETURN, SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(code(SDLK_TAB, SDL_SCANCODE_TAB), 9);
  EXPECT_EQ(code(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), 8);
  EXPECT_EQ(code(SDLK_F1, SDL_SCANCODE_F1), 112);
  EXPECT_EQ(code(SDLK_F12, SDL_SCANCODE_F12), 123);
  EXPECT_EQ(code(SDLK_DELETE, SDL_SCANCODE_DELETE), 46);
  EXPECT_EQ(code(SDLK_COMMA, SDL_SCANCODE_COMMA), 188);
}

TEST(KeyCodes, TheKeypadFollowsNumLock) {
  EXPECT_EQ(code(SDLK_KP_8, SDL_SCANCODE_KP_8, true), 104);
  EXPECT_EQ(code(SDLK_KP_0, SDL_SCANCODE_KP_0, true), 96);
  EXPECT_EQ(code(SDLK_KP_8, SDL_SCANCODE_KP_8, false), 38);
  EXPECT_EQ(code(SDLK_KP_4, SDL_SCANCODE_KP_4, false), 37);
  EXPECT_EQ(code(SDLK_KP_6, SDL_SCANCODE_KP_6, false), 39);
  EXPECT_EQ(code(SDLK_KP_2, SDL_SCANCODE_KP_2, false), 40);
  EXPECT_EQ(code(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, false), 13);
  EXPECT_EQ(code(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, true), 107);
}

TEST(KeyCodes, AnyOtherKeyStillHasACode) {
  EXPECT_EQ(code(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY), unknown_key_code);
  EXPECT_EQ(code(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), unknown_key_code);
}

}  // namespace
}  // namespace glouton::platform
