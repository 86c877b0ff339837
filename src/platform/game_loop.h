// One game window on the real clock: it loads at 0, then the loop sleeps until
// the next timer is due or input comes, handles it and shows what changed.
#pragma once

#include <cstdint>
#include <functional>

#include "game/session.h"
#include "platform/fonts.h"
#include "platform/mixer_device.h"
#include "platform/pictures.h"

namespace glouton::platform {

enum class WindowEnd {
  program_end,  // Escape: the program ends
  closed,       // the window's frame was closed
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
// `meilleur_score` is the run's best score: read at the load, updated at the end.
WindowEnd run_game_window(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                          std::int32_t& meilleur_score, const GameWindowHooks& hooks = {});

}  // namespace glouton::platform
