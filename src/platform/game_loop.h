// One game window on the real clock: it loads at 0, then the loop sleeps until
// the next timer is due or input comes, handles it and shows what changed.
#pragma once

#include <cstdint>
#include <functional>

#include "game/session.h"
#include "platform/comforts.h"
#include "platform/fonts.h"
#include "platform/mixer_device.h"
#include "platform/pictures.h"
#include "title/run_memory.h"

namespace glouton::platform {

enum class WindowEnd {
  program_end,  // Escape: the program ends
  closed,       // the window's frame was closed
  session_end,  // the session asked the program to end (TERM, logging out)
};

struct GameWindowHooks {
  // After every handled event; `wall` is the real ms from the load to the handler's start.
  std::function<void(const Form1&, const EventRecord&, std::int64_t wall)> event;
  // After each wake of the loop, once its events are handled.
  std::function<void()> woke;
  // The first frame is on the screen.
  std::function<void()> first_frame;
};

// Opens a fresh game window and plays it until Escape or its frame is closed.
// `memory` hands the run's best score to the window and keeps it at its end;
// `comforts` steer with the controllers and switch the sound.
WindowEnd run_game_window(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                          Comforts& comforts, RunMemory& memory, const GameWindowHooks& hooks = {});

}  // namespace glouton::platform
