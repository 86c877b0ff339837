// Replays: the inputs of a run's game windows, one line per wake of the
// loop, so that the program core plays the run again event for event. The
// format is told in docs/replay.md.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/program.h"

namespace glouton {

inline constexpr std::string_view replay_header = "glouton-replay 1";

// One input of a replay. `wake` ends the line of a wake: the program runs
// what is due at its time.
struct ReplayStep {
  enum Kind { load, key, cc, ok, close, quit, wake };
  Kind kind = wake;
  std::int64_t t = 0;  // ms of the game window's clock
  int code = 0;        // the virtual key code of a key
  bool operator==(const ReplayStep&) const = default;
};

struct ReplayResult {
  std::vector<ReplayStep> steps;
  std::string error;  // "replay:LINE: why" for a bad replay, empty when it is good
};

// Reads a whole replay; a bad one gives no steps at all.
ReplayResult parse_replay(std::string_view text);

// Plays a replay into a program that shows no title: each game window loads
// as the one before it ended, and each wake comes at its own time on the
// program's clock, whenever the frontend gets round to it.
class ReplayPlayer {
 public:
  // `start`: the program's time of the first load.
  ReplayPlayer(Program& program, std::vector<ReplayStep> steps, std::int64_t start);

  // The program's time of the next wake to play; none once all is played.
  std::optional<std::int64_t> next_wake() const;
  // Plays every wake due by `now`, each at its own time.
  void advance(std::int64_t now);
  // All is played, or the program has ended with no window to load after it.
  bool done() const;

 private:
  std::int64_t time_of(const ReplayStep& step) const;

  Program& program_;
  std::vector<ReplayStep> steps_;
  std::size_t next_ = 0;
  std::int64_t origin_;  // the program's time of the current window's load
  std::int64_t last_;    // the program's time of the last step played
};

}  // namespace glouton
