// A capture: a life lost (the movers back on their start cells) or, after the
// last life, the game over and a new game.
#pragma once

#include "game/form1.h"

namespace glouton {

// Called by a chaser's tick once it has taken a life from `vies`.
void initialise_2(Form1& f);

}  // namespace glouton
