// The sound the game windows play through: a watched replay lets their cues
// through only while its viewer does (at ×1, never during a jump); a run the
// player plays lets every cue through.
#pragma once

#include <string>

#include "ports/sound_device.h"

namespace glouton {

class SoundGate final : public SoundDevice {
 public:
  explicit SoundGate(SoundDevice& out) : out_(out) {}
  void open() override { out_.open(); }
  void close() override { out_.close(); }
  void beep() override {
    if (open_) out_.beep();
  }
  void play(const std::string& file, bool hold) override {
    if (open_) out_.play(file, hold);
  }
  void let_through(bool open) { open_ = open; }

 private:
  SoundDevice& out_;
  bool open_ = true;
};

}  // namespace glouton
