#include "audio/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace glouton::audio {

namespace {

// Frames per mixing buffer: short enough for a beep to follow its pellet.
constexpr int chunk_frames = 1024;
// The game's sounds are two channels: the cue files and the beep.
constexpr int mixing_channels = 2;

}  // namespace

AudioDevice::AudioDevice(const Warn& warn) : warn_(warn) {
  open();
}

void AudioDevice::open() {
  if (std::exchange(tried_, true)) return;
  // Audio on its own: a broken audio driver must not take the windows down with it.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    warn_(std::string("no sound device (") + SDL_GetError() + "): the game plays silent");
    return;
  }
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, chunk_frames) != 0 &&
      Mix_OpenAudio(22050, MIX_DEFAULT_FORMAT, 2, chunk_frames / 2) != 0) {
    warn_(std::string("no sound device (") + Mix_GetError() + "): the game plays silent");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_AllocateChannels(mixing_channels);
  Mix_QuerySpec(&rate_, &format_, &channels_);
  opened_ = true;
}

AudioDevice::~AudioDevice() {
  if (!opened_) return;
  Mix_HaltMusic();
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioDevice::lost() {
  if (!opened()) return;
  lost_ = true;
  Mix_HaltMusic();
  Mix_HaltChannel(-1);
  warn_("the sound device is gone: the game plays silent");
}

int AudioDevice::bytes_per_ms() const {
  return std::max(1, rate_ * channels_ * static_cast<int>(SDL_AUDIO_BITSIZE(format_) / 8) / 1000);
}

}  // namespace glouton::audio
