// What a frontend's program runs with, for as long as it runs, made in this
// order and closed in the reverse: SDL and the screen (the pictures and the
// fonts are built in), one audio output that the game's sounds and the title's
// music share, the controllers and the sound switch. Each throws StartupError when
// the program cannot start without it; sound and controllers only warn.
#pragma once

#include "audio/audio_device.h"
#include "audio/mixer_device.h"
#include "audio/music_player.h"
#include "audio/sound_switch.h"
#include "platform/controllers.h"
#include "platform/data_files.h"
#include "platform/sdl_context.h"

namespace glouton::platform {

using audio::AudioDevice;
using audio::MixerDevice;
using audio::MusicPlayer;
using audio::SoundSwitch;

struct Devices {
  static std::optional<std::string> find(std::string_view name) { return find_data_file(name); }

  SdlContext sdl;
  AudioDevice audio{warn_on_stderr};
  MixerDevice sound{audio, find, warn_on_stderr};
  // Read now, so that it starts with the title window.
  MusicPlayer music{audio, title_music, find, warn_on_stderr};
  Controllers controllers;
  SoundSwitch sound_switch;
};

}  // namespace glouton::platform
