// Replays: the inputs of a run's game windows, one line per wake of the
// loop, so that the program core plays the run again event for event. The
// format is told in docs/replay.md.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/input.h"

namespace glouton {

inline constexpr std::string_view replay_header = "glouton-replay 1";
inline constexpr std::string_view replay_format = "glouton-replay ";
inline constexpr int replay_version = 1;
// The largest replay read, in bytes: 16 MiB holds over a day of play (a
// recorded game writes about 9 kB a minute), and stays a small load for a
// page or a phone: a longer one is refused before it is read whole.
inline constexpr std::size_t replay_size_limit = 16u << 20;

// One input of a replay at `t` ms of its game window's clock. A `wake` ends
// the line of a wake: the program runs what is due at its time.
struct ReplayStep {
  Input::Kind input = Input::wake;
  std::int64_t t = 0;
  int code = 0;  // the virtual key code of a key
  bool operator==(const ReplayStep&) const = default;
};

struct ReplayResult {
  std::vector<ReplayStep> steps;
  std::string error;  // "replay:LINE: why" for a bad replay, empty when it is good
  // The same refusal as a stable code ("bad_key") and its line, for a
  // frontend that says it in its own words; empty when the replay is good.
  std::string_view reason;
  std::int64_t line = 0;
};

// Reads a whole replay; a bad one gives no steps at all.
ReplayResult parse_replay(std::string_view text);

// Writes a replay's lines as a game window takes its inputs: the inputs of
// one wake go on one line, handed over whole once the wake ends.
class ReplayRecorder {
 public:
  using Sink = std::function<void(std::string_view line)>;
  explicit ReplayRecorder(Sink sink) : sink_(std::move(sink)) {}

  // An input of the window open now; `load` is a line of its own at once,
  // and an input at a new time ends the line before it.
  void add(const ReplayStep& step);
  // A handler ran during the wake: the line is written even with no input.
  void handler_ran() { ran_ = true; }
  void end_wake();

 private:
  Sink sink_;
  std::optional<std::int64_t> t_;
  std::string line_;
  bool ran_ = false;
};

// The whole text of a replay of these steps, as the recorder writes it.
std::string write_replay(const std::vector<ReplayStep>& steps);

// The steps a viewer plays: all but the input that ended the program or its
// last window, so that the last moment stays on the screen.
std::vector<ReplayStep> steps_to_watch(std::vector<ReplayStep> steps);
// The time of a replay's last step, its game windows played one after the other.
std::int64_t replay_length(const std::vector<ReplayStep>& steps);

// Where a replay stands as it plays on the program's clock: each game window
// loads as the one before it ended, and each step of a window comes at its
// load's time plus its own.
class ReplayPlayer {
 public:
  // `start`: the program's time of the first load.
  ReplayPlayer(std::vector<ReplayStep> steps, std::int64_t start)
      : steps_(std::move(steps)), origin_(start), last_(start) {}

  // Back to the first step, its first load at `start`.
  void restart(std::int64_t start) {
    next_ = 0;
    origin_ = last_ = start;
  }

  const std::vector<ReplayStep>& steps() const { return steps_; }
  // All is played, or the program ended with no window to load after it.
  bool done(bool program_ended) const;
  // The program's time of the next step; none once done.
  std::optional<std::int64_t> next_at(bool program_ended) const;
  // The next step due by `now`, with its time on the program's clock.
  std::optional<std::pair<std::int64_t, ReplayStep>> take_due(std::int64_t now, bool program_ended);

 private:
  std::int64_t time_of(const ReplayStep& step) const;

  std::vector<ReplayStep> steps_;
  std::size_t next_ = 0;
  std::int64_t origin_;  // the program's time of the current window's load
  std::int64_t last_;    // the program's time of the last step played
};

}  // namespace glouton
