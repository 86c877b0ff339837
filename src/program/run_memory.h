// What lasts from one game window to the next while the program runs: only
// the best score. Every other game variable of a new game window starts anew.
#pragma once

#include <cstdint>

#include "game/form1.h"

namespace glouton {

struct RunMemory {
  std::int32_t meilleur_score = 0;

  // Before a fresh game window loads.
  void hand_to(Form1& fresh) const { fresh.meilleur_score = meilleur_score; }
  // When a game window has been unloaded.
  void keep_from(const Form1& closed) { meilleur_score = closed.meilleur_score; }
};

}  // namespace glouton
