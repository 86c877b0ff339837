// The game's sound device on SDL_mixer, over the program's audio output: the
// cue files read once at start-up, one channel for them and one for the beep.
// Without an audio output, or without a file, the game goes on silent after
// one warning line.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/audio_device.h"
#include "ports/sound_device.h"
#include "sound/file_sound_order.h"

namespace glouton::audio {

class MixerDevice final : public SoundDevice {
 public:
  using Finder = std::function<std::optional<std::string>(std::string_view)>;
  using Warn = glouton::Warn;

  // Reads the files of cues 2 to 6 found by `find`; tells `warn` once of each
  // missing file. The audio output, which must outlive the device, has told
  // of its own absence already.
  MixerDevice(const AudioDevice& audio, Finder find, Warn warn);
  ~MixerDevice() override;
  MixerDevice(const MixerDevice&) = delete;
  MixerDevice& operator=(const MixerDevice&) = delete;

  void open() override;
  void close() override;
  void beep() override;
  void play(const std::string& file, bool hold) override;

  bool has_device() const { return audio_.opened(); }
  // When the loop should call update() (SDL ticks, ms): a sound waits for a held one.
  std::optional<std::uint64_t> wake_at(std::uint64_t now) const;
  // Starts what waited once the held sound has ended.
  void update();
  // The file of the sound on the file channel now, empty when none plays.
  std::string playing() const;

 private:
  struct ChunkFree {
    void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
  };
  using ChunkPtr = std::unique_ptr<Mix_Chunk, ChunkFree>;

  // Makes the beep and reads the cues' files, once the output is open.
  void read_files();
  void make_beep(const Warn& warn);
  void start(FileRequest request);

  const AudioDevice& audio_;
  Finder find_;
  Warn warn_;
  bool read_ = false;
  bool opened_ = false;
  std::map<std::string, ChunkPtr> files_;   // by name, trailing blanks trimmed
  std::vector<std::int16_t> beep_samples_;  // the beep chunk points into it
  ChunkPtr beep_;
  FileSoundOrder order_;
  std::string playing_;
  std::uint64_t held_end_ = 0;
};

}  // namespace glouton::audio
