// The game window on a virtual millisecond clock: no window, no sound, no
// waiting. The same core and the same order of events as the real window.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "draw/game_picture.h"
#include "game/form1.h"
#include "program/event_order.h"
#include "program/program.h"
#include "program/replay.h"
#include "program/trace.h"
#include "sim/key_script.h"

namespace glouton {

// A drawing surface that remembers what was painted, and hands each paint
// on to `also` when there is one.
class RecordingSurface final : public Surface {
 public:
  explicit RecordingSurface(bool record, Surface* also = nullptr) : record_(record), also_(also) {}
  void PaintPicture(Picture picture, int x, int y) override {
    if (record_) paints_.push_back({picture, x, y});
    if (also_) also_->PaintPicture(picture, x, y);
  }
  // The paints since the last call.
  std::vector<Paint> take() {
    std::vector<Paint> out;
    out.swap(paints_);
    return out;
  }

 private:
  bool record_;
  Surface* also_;
  std::vector<Paint> paints_;
};

class Simulation final : private ProgramHost {
 public:
  // Called after every handled event, with the paints of that event.
  using Listener = std::function<void(const Form1&, const EventRecord&, std::vector<Paint>&&)>;

  // `replay_line`, when set, takes the replay of the run, line by line.
  // `picture`, when given, is drawn as the game window's (blank at each window).
  explicit Simulation(bool record_paints = false,
                      std::function<void(std::string_view)> replay_line = {},
                      draw::GamePicture* picture = nullptr);

  // Loads the window at 0 and plays until `until` (events at exactly `until`
  // are handled) or until Escape ends the program.
  void run(const std::vector<KeyEvent>& keys, std::int64_t until, const Listener& listener = {});
  // Plays a replay's game windows to their end, or to `until` (its wakes at
  // exactly `until` played); returns the time of its last wake, its windows
  // one after the other.
  std::int64_t replay(const std::vector<ReplayStep>& steps, const Listener& listener = {},
                      std::optional<std::int64_t> until = std::nullopt);
  // Brings the picture up to date with what the window shows now.
  void show(bool cc_pressed = false);

  // The last game window's state, which outlives its unload; only once a
  // game window has opened.
  const Form1& form() const { return *program_.last_game(); }
  bool window_opened() const { return program_.last_game() != nullptr; }

 private:
  Surface& game_window_opened() override;
  void game_event(std::string_view) override;
  void replay_line(std::string_view line) override { replay_line_(line); }

  std::function<void(std::string_view)> replay_line_;
  draw::GamePicture* picture_;
  RecordingSurface surface_;
  SilentDevice sound_;
  SilentMusic music_;
  Program program_;
  const Listener* listener_ = nullptr;
};

}  // namespace glouton
