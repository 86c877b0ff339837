// The program's one audio output, opened once at start-up and shared by the
// title's music and the game window's sounds. Without it, or once it is gone
// (a device pulled out, a driver that fails), both stay silent after a single
// warning line.
#pragma once

#include <SDL_stdinc.h>

#include "audio/warn.h"

namespace glouton::audio {

class AudioDevice {
 public:
  // Opens the output; tells `warn` once when there is no device, or when it goes away.
  explicit AudioDevice(const Warn& warn = warn_on_stderr);
  ~AudioDevice();
  AudioDevice(const AudioDevice&) = delete;
  AudioDevice& operator=(const AudioDevice&) = delete;

  // Opens the output, once: later calls do nothing.
  void open();
  bool opened() const { return opened_ && !lost_; }
  // SDL told that the output went away: every sound stops, and the game plays on silent.
  void lost();
  int rate() const { return rate_; }
  int channels() const { return channels_; }
  Uint16 format() const { return format_; }
  // Bytes of output in one millisecond, at least 1.
  int bytes_per_ms() const;

 private:
  Warn warn_;
  bool tried_ = false;
  bool opened_ = false;
  bool lost_ = false;
  int rate_ = 0;
  int channels_ = 0;
  Uint16 format_ = 0;
};

}  // namespace glouton::audio
