#include "sound/jouer_son.h"

#include <string>

namespace glouton {

std::vector<int> MMControl::take_log() {
  std::vector<int> log;
  log.swap(log_);
  return log;
}

void jouer_son(MMControl& mm, int nb) {
  mm.log_.push_back(nb);
  const CueSound* sound = cue_sound(nb);
  if (!sound) return;
  if (sound->file.empty())
    mm.device_->beep();
  else
    mm.device_->play(std::string(sound->file), sound->held);
}

}  // namespace glouton
