// The SDL frontend: one run of the program on the real clock. It turns
// SDL's events into the program core's inputs, hands them to the window
// showing, and shows what the core changed; the desktop's loop and Windows'
// drive it alike. It never reads the game's state and
// never asks whether it plays a game or a replay.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/comfort_keys.h"
#include "platform/devices.h"
#include "platform/game_window.h"
#include "platform/title_window.h"
#include "program/frontend_host.h"
#include "program/program.h"
#include "program/run_hooks.h"

namespace glouton::platform {

struct FrontendHooks : RunHooks {
  // After each wake, once its events are handled.
  std::function<void()> woke;
};

class Frontend final : private FrontendHost {
 public:
  // Shows the title window or, given a replay, opens straight on its game.
  Frontend(Devices& devices, const FrontendHooks& hooks,
           const std::vector<ReplayStep>* replay = nullptr);

  // Handles the events waiting, advances the program to the real clock and
  // shows what changed; false once the program has ended. It never blocks,
  // but in the "CC" box.
  bool wake();
  // In how many ms the next wake is due without an event; -1: none is due.
  int wait_timeout() const;
  bool running() const { return !program_.ended(); }

 private:
  // ProgramHost
  Surface& game_window_opened() override;
  void game_window_closed() override { game_.reset(); }
  Surface& game_window_blanked() override;

  std::int64_t real_ms() const override;
  void key(int code, int place, bool repeat, Comfort comfort);
  void handle(const SDL_Event& e);
  void show();
  void show_box();

  Devices& devices_;
  const FrontendHooks& hooks_;
  Program program_;
  std::unique_ptr<TitleWindow> title_;
  std::unique_ptr<GameWindow> game_;
  bool title_seen_ = false;
  std::uint64_t started_at_;
};

// The desktop's loop: runs the program until it ends, asleep between wakes.
void run(Devices& devices, const FrontendHooks& hooks = {},
         const std::vector<ReplayStep>* replay = nullptr);

}  // namespace glouton::platform
