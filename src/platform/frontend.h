// The SDL frontend: one run of the program on the real clock. It turns
// SDL's events into the program core's inputs, hands them to the window
// showing, and shows what the core changed; the desktop's loop, the page's
// timeouts and Windows drive it alike. It never reads the game's state and
// never asks whether it plays a game or a replay.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/devices.h"
#include "program/program.h"

namespace glouton::platform {

struct FrontendHooks {
  // After every handled event; `wall` is the real ms from the window's load to the handler's start.
  std::function<void(const Form1&, const EventRecord&, std::int64_t wall)> event;
  // One whole replay line; set, the run is recorded.
  std::function<void(std::string_view)> replay_line;
  // After each wake, once its events are handled.
  std::function<void()> woke;
  // The first frame of the title window, and of each game window, is on the screen.
  std::function<void()> title_first_frame;
  std::function<void()> game_first_frame;
};

class Frontend {
 public:
  // Shows the title window or, given a replay, opens straight on its game.
  Frontend(Devices& devices, const FrontendHooks& hooks,
           const std::vector<ReplayStep>* replay = nullptr);
  ~Frontend();
  Frontend(const Frontend&) = delete;
  Frontend& operator=(const Frontend&) = delete;

  // Handles the events waiting, advances the program to the real clock and
  // shows what changed; false once the program has ended. It never blocks,
  // but in the "CC" box.
  bool wake();
  // In how many ms the next wake is due without an event; -1: none is due.
  int wait_timeout() const;
  bool running() const;
  // A key pressed as the keyboard would press it, comforts included (the
  // page's buttons and touch).
  void press(int code);

 private:
  class Parts;
  std::unique_ptr<Parts> parts_;
};

// The desktop's loop: runs the program until it ends, asleep between wakes.
void play(Devices& devices, const FrontendHooks& hooks = {},
          const std::vector<ReplayStep>* replay = nullptr);

}  // namespace glouton::platform
