// The virtual key codes the game knows. A frontend gives every key a code
// (65..90 the letters, 16 Shift, ...); these are the ones with a meaning.
#pragma once

namespace glouton {

enum Key : int {
  key_enter = 13,
  key_escape = 27,
  key_space = 32,
  key_end = 35,  // the replay viewer's
  key_home = 36,
  key_left = 37,
  key_up = 38,
  key_right = 39,
  key_down = 40,
  key_digit_1 = 49,  // ..57 for 9, the replay viewer's
};

}  // namespace glouton
