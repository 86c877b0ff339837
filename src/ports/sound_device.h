// The sound device port: what the game asks of the platform's audio.
#pragma once

#include <string>

namespace glouton {

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Opened when the game window loads, closed when it unloads.
  virtual void open() = 0;
  virtual void close() = 0;
  // The short tone of an eaten pellet; it cuts nothing short.
  virtual void beep() = 0;
  // Plays a sound file named as the game names it ("gloutonone/..."), cutting
  // the previous file short, unless that one was asked with `hold`: a held
  // sound plays to its end and what was asked meanwhile starts after it.
  virtual void play(const std::string& file, bool hold) = 0;
};

// A device that plays nothing, for a game without sound.
class SilentDevice final : public SoundDevice {
 public:
  void open() override {}
  void close() override {}
  void beep() override {}
  void play(const std::string&, bool) override {}
};

}  // namespace glouton
