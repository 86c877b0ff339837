// The glouton: the keys that steer it, its step from tile to tile with the
// eating of pellets and the bonus, the level end, and its drawing.
#pragma once

#include "window/form1.h"

namespace glouton {

// Virtual key codes the game knows.
enum Key : int {
  key_enter = 13,
  key_escape = 27,
  key_space = 32,
  key_left = 37,
  key_up = 38,
  key_right = 39,
  key_down = 40,
};

// Twips of one sub-step; four make a tile.
inline constexpr int sub_step = 15 * 8;

void Form_KeyDown(Form1& f, int key_code);
void Timer1_Timer(Form1& f);
void efface_glouton2(Form1& f);
void affiche_glouton2(Form1& f);

}  // namespace glouton
