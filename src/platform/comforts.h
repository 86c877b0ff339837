// What both windows share for the player's comfort, for as long as the
// program runs: the game controllers and the sound switch of the M key.
#pragma once

#include "platform/controllers.h"
#include "platform/sound_switch.h"

namespace glouton::platform {

struct Comforts {
  Controllers& controllers;
  SoundSwitch& sound;
};

}  // namespace glouton::platform
