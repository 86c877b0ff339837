// The music device port: the title's music, played by the platform.
#pragma once

#include <string_view>

namespace glouton {

class MusicDevice {
 public:
  virtual ~MusicDevice() = default;
  // Opens the file and plays it once through.
  virtual void play(std::string_view file) = 0;
  virtual void stop() = 0;
  virtual void close() = 0;
};

// A device that plays nothing, for a program without music.
class SilentMusic final : public MusicDevice {
 public:
  void play(std::string_view) override {}
  void stop() override {}
  void close() override {}
};

}  // namespace glouton
