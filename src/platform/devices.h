// What a frontend's program runs with, for as long as it runs, made in this
// order and closed in the reverse: SDL and the screen, the pictures and
// fonts, one audio output that the game's sounds and the title's music
// share, the controllers and the sound switch. Each throws StartupError when
// the program cannot start without it; sound and controllers only warn.
#pragma once

#include "platform/audio_device.h"
#include "platform/controllers.h"
#include "platform/fonts.h"
#include "platform/mixer_device.h"
#include "platform/music_player.h"
#include "platform/pictures.h"
#include "platform/sdl_context.h"
#include "platform/sound_switch.h"

namespace glouton::platform {

struct Devices {
  SdlContext sdl;
  Pictures pictures = load_pictures();
  Fonts fonts = open_fonts();
  AudioDevice audio;
  MixerDevice sound{audio};
  MusicPlayer music{audio};  // read now, so that it starts with the title window
  Controllers controllers;
  SoundSwitch sound_switch;
};

}  // namespace glouton::platform
