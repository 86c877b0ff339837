// The glouton: the keys that steer it, its step from tile to tile with the
// eating of pellets and the bonus, the level end, and its drawing.
#pragma once

#include "game/form1.h"
#include "ports/keys.h"

namespace glouton {

void Form_KeyDown(Form1& f, int key_code);
void Timer1_Timer(Form1& f);
void efface_glouton2(Form1& f);
void affiche_glouton2(Form1& f);

}  // namespace glouton
