// One long game window played by the key bot on a virtual clock, every event
// checked by the rules watch.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "key_bot.h"

namespace glouton::bot {

struct GameReport {
  std::uint32_t seed = 0;
  std::int64_t simulated_ms = 0;  // the time of the last handled instant
  std::int64_t events = 0;
  int presses = 0;
  int look_aheads = 0;
  int captures = 0;
  int game_overs = 0;
  int levels_cleared = 0;
  int best_level = 0;
  bool fastest_reached = false;  // level 9 or more with every chaser timer at 100 ms
  std::int32_t best_score = 0;
  std::vector<std::string> broken;  // rules broken, empty when all held
};

// Loads a window at 0 and lets the bot play until `until` ms; stops at the
// first event that broke a rule.
GameReport play_bot_game(std::uint32_t seed, const Style& style, std::int64_t until);

}  // namespace glouton::bot
