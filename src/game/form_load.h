// The game window's life: load and unload, a new game, the speed-up, the
// best-score display and the "CC" information box.
#pragma once

#include <string_view>

#include "game/form1.h"

namespace glouton {

inline constexpr std::string_view information_title = "Un petit jeu sympa";
// Three credit lines joined by CR LF, in French as the game's own texts are,
// on every target.
extern const std::string_view information_prompt;

// Lowest interval of a chaser timer: never faster than the glouton's step.
inline constexpr int fastest_chaser_interval = 100;

void Form_Load(Form1& f);
void Form_Unload(Form1& f);
void nouvelle_partie(Form1& f);
void accelerer(Form1& f);
void Timer5_Timer(Form1& f);
void Command1_Click(Form1& f);

}  // namespace glouton
