// The program on the real clock, from its title window to its end: the title
// window loads and its music starts, "GO !" opens a game window over it, and
// closing that window's frame comes back to it, still and silent.
#pragma once

#include <functional>

#include "platform/fonts.h"
#include "platform/game_loop.h"
#include "platform/mixer_device.h"
#include "platform/pictures.h"
#include "title/form2.h"

namespace glouton::platform {

struct TitleHooks {
  // The title window's first frame is on the screen.
  std::function<void()> first_frame;
};

// Runs the title window and the game windows it opens until the program ends:
// Escape in a game, the title window's frame closed, or the session's end.
void run_program(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                 MusicDevice& music, Comforts& comforts, const GameWindowHooks& game_hooks = {},
                 const TitleHooks& title_hooks = {});

}  // namespace glouton::platform
