// The game window on a virtual millisecond clock: no window, no sound, no
// waiting. The same core and the same order of events as the real window.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "game/form1.h"
#include "program/event_order.h"
#include "program/program.h"
#include "program/replay.h"
#include "program/trace.h"
#include "sim/key_script.h"

namespace glouton {

// A drawing surface that remembers what was painted.
class RecordingSurface final : public Surface {
 public:
  explicit RecordingSurface(bool record) : record_(record) {}
  void PaintPicture(Picture picture, int x, int y) override {
    if (record_) paints_.push_back({picture, x, y});
  }
  // The paints since the last call.
  std::vector<Paint> take() {
    std::vector<Paint> out;
    out.swap(paints_);
    return out;
  }

 private:
  bool record_;
  std::vector<Paint> paints_;
};

class Simulation final : private ProgramHost {
 public:
  // Called after every handled event, with the paints of that event.
  using Listener = std::function<void(const Form1&, const EventRecord&, std::vector<Paint>&&)>;

  // `replay_line`, when set, takes the replay of the run, line by line.
  explicit Simulation(bool record_paints = false,
                      std::function<void(std::string_view)> replay_line = {});

  // Loads the window at 0 and plays until `until` (events at exactly `until`
  // are handled) or until Escape ends the program.
  void run(const std::vector<KeyEvent>& keys, std::int64_t until, const Listener& listener = {});
  // Plays a replay's game windows to their end; returns the time of its last
  // wake, its windows one after the other.
  std::int64_t replay(const std::vector<ReplayStep>& steps, const Listener& listener = {});

  // The last game window's state, which outlives its unload; only once a
  // game window has opened.
  const Form1& form() const { return *program_.last_game(); }
  bool window_opened() const { return program_.last_game() != nullptr; }

 private:
  Surface& game_window_opened() override { return surface_; }
  void game_event(std::string_view) override;
  void replay_line(std::string_view line) override { replay_line_(line); }

  std::function<void(std::string_view)> replay_line_;
  RecordingSurface surface_;
  SilentDevice sound_;
  SilentMusic music_;
  Program program_;
  const Listener* listener_ = nullptr;
};

}  // namespace glouton
