// The M key's switch: every sound and the music off at once, then back at
// the volumes they had. It works on SDL_mixer's volumes only, so the game's
// sounds go on being asked for, and heard again when the switch is back on.
#pragma once

#include <vector>

namespace glouton::audio {

class SoundSwitch {
 public:
  // Off when on, on when off.
  void toggle();
  bool muted() const { return muted_; }

 private:
  bool muted_ = false;
  std::vector<int> channel_volumes_;  // as they were when switched off
  int music_volume_ = 0;
};

}  // namespace glouton::audio
