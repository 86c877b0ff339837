// jouer_son: the game window plays its sound cues (sound/cues.h) through
// its wave-audio device.
#pragma once

#include <vector>

#include "ports/sound_device.h"
#include "sound/cues.h"

namespace glouton {

// MMControl1: the game window's wave-audio device and the cues asked of it.
class MMControl {
 public:
  explicit MMControl(SoundDevice& device) : device_(&device) {}

  void open() { device_->open(); }
  void close() { device_->close(); }
  // Every cue asked for since the log was last taken, in order (cue 7 too).
  std::vector<int> take_log();

 private:
  friend void jouer_son(MMControl& mm, int nb);
  SoundDevice* device_;
  std::vector<int> log_;
};

// The cue's row of the table beeps or plays its file; any other number does
// nothing. Every number asked for is logged.
void jouer_son(MMControl& mm, int nb);
inline void jouer_son(MMControl& mm, Cue cue) {
  jouer_son(mm, static_cast<int>(cue));
}

}  // namespace glouton
