// The numbered sound cues of the game window.
#pragma once

#include <string_view>
#include <vector>

#include "ports/sound_device.h"

namespace glouton {

// The cue's sound file, or an empty view for a cue that plays no file.
// Cue 2's name ends in a blank, as the game has always named it.
std::string_view cue_file(int nb);

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

// Cue 1 beeps; cues 2 to 6 play their file; any other number does nothing.
// Cue 5 (a lost life) is played to its end.
void jouer_son(MMControl& mm, int nb);

}  // namespace glouton
