#include "sound/jouer_son.h"

#include <string>

namespace glouton {

std::string_view cue_file(int nb) {
  switch (nb) {
    case 2:
      return "gloutonone/bloop.wav ";
    case 3:
      return "gloutonone/short11.wav";
    case 4:
      return "gloutonone/short34.wav";
    case 5:
      return "gloutonone/silly.wav";
    case 6:
      return "gloutonone/Halleluj.wav";
    default:
      return {};
  }
}

std::vector<int> MMControl::take_log() {
  std::vector<int> log;
  log.swap(log_);
  return log;
}

void jouer_son(MMControl& mm, int nb) {
  mm.log_.push_back(nb);
  if (nb == 1) {
    mm.device_->beep();
    return;
  }
  const std::string_view file = cue_file(nb);
  if (file.empty()) return;
  mm.device_->play(std::string(file), nb == 5);
}

}  // namespace glouton
