// The SDL frontend: one flat loop that turns SDL's events into the program
// core's inputs on the real clock, sleeps until the core or a sound next
// needs it, and shows the title window or the game window the core has open.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/comforts.h"
#include "platform/fonts.h"
#include "platform/mixer_device.h"
#include "platform/pictures.h"
#include "program/replay.h"

namespace glouton::platform {

struct FrontendHooks {
  // After every handled event; `wall` is the real ms from the window's load to the handler's start.
  std::function<void(const Form1&, const EventRecord&, std::int64_t wall)> event;
  // One whole replay line; set, the run is recorded.
  std::function<void(std::string_view)> replay_line;
  // The audio output went away (SDL_AUDIODEVICEREMOVED).
  std::function<void()> audio_lost;
  // After each wake of the loop, once its events are handled.
  std::function<void()> woke;
  // The first frame of the title window, and of each game window, is on the screen.
  std::function<void()> title_first_frame;
  std::function<void()> game_first_frame;
};

// One run of the program, driven by whoever owns the loop: made, it shows the
// title window (or opens the replay); each `wake` handles the events waiting,
// advances the program core to the real clock and shows what changed, and
// says whether the program still runs. It never blocks, except in the "CC"
// box. `running` says whether it still runs (a replay may end at once);
// `wait_timeout` says in how many ms the next wake is due without an
// event (-1: none is due).
class ProgramRun {
 public:
  ProgramRun(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound, MusicDevice& music,
             Comforts& comforts, const FrontendHooks& hooks,
             const std::vector<ReplayStep>* replay = nullptr);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;
  bool wake();
  // A press of the key of that virtual code (ports/keys.h; 77 M, 27 Escape),
  // as if from the keyboard, what the window does for comfort included; it
  // is handled at the next wake. The page's "Son" and "Quitter" buttons.
  void press(int code);
  int wait_timeout() const;
  bool running() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// Runs the program from its title window until it ends: Escape in a game,
// the title window's frame closed, or the session's end. With `replay`, the
// program opens straight on the recorded game windows and plays them at real
// speed; the player's keys do nothing but Escape, which ends it.
void run_program(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                 MusicDevice& music, Comforts& comforts, const FrontendHooks& hooks = {},
                 const std::vector<ReplayStep>* replay = nullptr);

}  // namespace glouton::platform
