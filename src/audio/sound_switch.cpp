#include "audio/sound_switch.h"

#include <SDL_mixer.h>

#include <cstddef>

namespace glouton::audio {

void SoundSwitch::toggle() {
  if (!muted_) {
    // Each channel's own volume, not their average: each comes back as it was.
    const int channels = Mix_AllocateChannels(-1);
    channel_volumes_.assign(static_cast<std::size_t>(channels), MIX_MAX_VOLUME);
    for (int c = 0; c < channels; ++c)
      channel_volumes_[static_cast<std::size_t>(c)] = Mix_Volume(c, 0);
    music_volume_ = Mix_VolumeMusic(0);
    muted_ = true;
    return;
  }
  const int channels = Mix_AllocateChannels(-1);
  for (int c = 0; c < channels; ++c) {
    const auto i = static_cast<std::size_t>(c);
    Mix_Volume(c, i < channel_volumes_.size() ? channel_volumes_[i] : MIX_MAX_VOLUME);
  }
  Mix_VolumeMusic(music_volume_);
  muted_ = false;
}

}  // namespace glouton::audio
