// What must hold after every event of a game window: checked after each
// event of a long game, with the paints of that event, and counted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/form1.h"
#include "program/event_order.h"
#include "program/trace.h"

namespace glouton::bot {

// Chaser timer intervals of a new game (Timer2, Timer3, Timer4).
inline constexpr std::array<int, 3> first_intervals = {250, 200, 225};
inline constexpr int pellets_per_level = 89;

class RulesWatch {
 public:
  // Checks the window after `record`'s event; `paints` are that event's.
  void check(const Form1& f, const EventRecord& record, const std::vector<Paint>& paints);

  bool ok() const { return broken_.empty(); }
  // One line per broken rule, the first few only.
  const std::vector<std::string>& broken() const { return broken_; }

  std::int64_t events() const { return events_; }
  int captures() const { return captures_; }
  int game_overs() const { return game_overs_; }
  int levels_cleared() const { return levels_cleared_; }
  int best_level() const { return best_level_; }
  // A level of 9 or more was reached with every chaser timer at its fastest.
  bool fastest_reached() const { return fastest_reached_; }

 private:
  void fail(std::string what);
  void check_grid(const Form1& f);
  void check_counters(const Form1& f, bool built, bool game_over, bool cleared);
  void check_movers(const Form1& f);
  void check_paints(const Form1& f, const std::vector<Paint>& paints, bool built, bool lost);

  const EventRecord* record_ = nullptr;
  std::vector<std::string> broken_;
  std::int64_t events_ = 0;
  bool loaded_ = false;
  std::int32_t score_ = 0, best_ = 0;
  int eaten_ = 0, level_ = 0;
  // What the lives strip shows in its three slots, from the paints so far.
  std::array<std::optional<Picture>, 3> strip_{};
  int captures_ = 0, game_overs_ = 0, levels_cleared_ = 0, best_level_ = 0;
  bool fastest_reached_ = false;
};

}  // namespace glouton::bot
