// The one line that sums up a replay played to its end, so that anyone can
// check a claimed score: `glouton-sim --replay FILE --summary`.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "game/form1.h"
#include "program/replay.h"

namespace glouton {

struct ReplaySummary {
  std::int32_t score = 0;  // the last game window's, as it ended
  std::int32_t best = 0;
  int levels = 0;          // levels cleared over the whole run
  int lives = 0;           // lives left in reserve at the end
  std::int64_t time = 0;   // ms: the run's game windows one after the other
  int keys = 0;            // key presses that reached the game
  std::uint64_t hash = 0;  // final_state_hash of the last game window
};

// The highest score a run's games reached: a game over starts a new game at
// 0, so the best score alone misses a game still running when the replay ends.
inline std::int32_t run_score(const ReplaySummary& s) {
  return std::max(s.score, s.best);
}

// Plays a replay's steps to their end on the program core and sums the run
// up: what `glouton-sim --replay FILE --summary` prints and the board ranks.
// A replay with no game window in it (its header alone) gives zeros.
ReplaySummary summarize_replay(const std::vector<ReplayStep>& steps);

// FNV-1a (64 bits) over the final state's trace line as `--quiet` prints it
// (line feed included), then the maze's cells row by row, one byte each.
std::uint64_t final_state_hash(std::string_view quiet_line, const Form1& form);

// {"score":..,"best":..,"levels":..,"lives":..,"time":..,"keys":..,"hash":"fnv1a64:<16 hex>"}
// with its line feed.
std::string summary_line(const ReplaySummary& summary);

}  // namespace glouton
