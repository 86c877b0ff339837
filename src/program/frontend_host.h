// What every frontend's host of the program keeps alike, the desktop's SDL
// loop and the page's: each wake's time on its real clock, the trace's `wall`
// (the real ms from the game window's load to the handler's start), and the
// run's trace and replay lines handed to its hooks.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "program/program.h"
#include "program/run_hooks.h"

namespace glouton {

class FrontendHost : public ProgramHost {
 protected:
  explicit FrontendHost(const RunHooks& hooks) : run_hooks_(hooks) {}

  // The frontend's real clock, in ms.
  virtual std::int64_t real_ms() const = 0;
  // A wake, or a handler of its own, starts now.
  void begin() { now_ = handler_start_ = real_ms(); }
  // A game window loads, or starts again blank, at the wake's time.
  void game_loaded() { game_loaded_ = handler_start_ = now_; }

  void game_event(std::string_view line) override {
    if (run_hooks_.trace_line) run_hooks_.trace_line(line);
    // The next handler of the same wake starts as this one's record is done.
    handler_start_ = real_ms();
  }
  std::optional<std::int64_t> trace_wall() const override { return handler_start_ - game_loaded_; }
  void replay_line(std::string_view line) override { run_hooks_.replay_line(line); }

  std::int64_t now_ = 0;  // the real time of the wake being handled

 private:
  const RunHooks& run_hooks_;
  std::int64_t game_loaded_ = 0;
  std::int64_t handler_start_ = 0;
};

}  // namespace glouton
