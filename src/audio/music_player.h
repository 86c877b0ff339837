// The title's music on SDL_mixer's MIDI player. SDL_mixer does not find a
// soundfont on Debian by itself, so the player gives it the first one found
// in the usual places, and reads the music ahead so that "play" starts it at
// once. Without a soundfont, a music file or an audio output the title stays
// silent after one warning line.
#pragma once

#include <SDL_mixer.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/audio_device.h"
#include "title/form2.h"

namespace glouton::audio {

// Where Debian's General MIDI soundfont packages put their files, best first.
std::vector<std::string> usual_soundfonts();

// The first of `paths` that is a regular file (a link to one counts).
std::optional<std::string> first_existing(const std::vector<std::string>& paths);

// Whether the file begins as a SoundFont does (RIFF, then sfbk), so that a
// broken one is told of once here rather than by the synthesizer's own log.
bool is_soundfont(const std::string& path);

class MusicPlayer final : public MusicDevice {
 public:
  using Finder = std::function<std::optional<std::string>(std::string_view)>;

  // Reads `file`, found by `find`, ready to play; tells `warn` once why it
  // cannot. The audio output must outlive the player.
  MusicPlayer(const AudioDevice& audio, std::string_view file, Finder find, Warn warn,
              std::vector<std::string> soundfonts = usual_soundfonts());
  ~MusicPlayer() override;
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  // Starts `file` from its beginning, once through; reads it first when it is
  // not the one read ahead.
  void play(std::string_view file) override;
  // Stops the music and lets it go: a later play() reads it again.
  void stop() override;
  // Stops and lets the music go.
  void close() override;

  bool ready() const { return music_ != nullptr; }
  bool playing() const;
  // The soundfont given to SDL_mixer, empty when none was found or usable.
  const std::string& soundfont() const { return soundfont_; }

 private:
  struct MusicFree {
    void operator()(Mix_Music* m) const { Mix_FreeMusic(m); }
  };

  // Reads the file once; a failure is told once, and not tried again.
  void read(const std::string& name);

  const AudioDevice& audio_;
  Finder find_;
  Warn warn_;
  std::string soundfont_;
  std::string name_;  // the file read, trailing blanks trimmed
  std::unique_ptr<Mix_Music, MusicFree> music_;
  std::vector<std::string> failed_;  // files that could not be read
};

}  // namespace glouton::audio
