#include "audio/music_player.h"

#include "program/text_fields.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

namespace glouton::audio {

namespace {

// SDL_mixer plays MIDI through Windows' own synthesizer there, and through a
// soundfont elsewhere.
#ifdef _WIN32
constexpr bool midi_needs_soundfont = false;
#else
constexpr bool midi_needs_soundfont = true;
#endif

}  // namespace

std::vector<std::string> usual_soundfonts() {
  if (!midi_needs_soundfont) return {};
  return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
          "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

std::optional<std::string> first_existing(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    std::error_code ec;
    if (!path.empty() && std::filesystem::is_regular_file(path, ec)) return path;
  }
  return std::nullopt;
}

bool is_soundfont(const std::string& path) {
  std::array<char, 12> head{};
  std::ifstream in(path, std::ios::binary);
  if (!in.read(head.data(), head.size())) return false;
  const std::string_view h(head.data(), head.size());
  return h.substr(0, 4) == "RIFF" && h.substr(8, 4) == "sfbk";
}

MusicPlayer::MusicPlayer(const AudioDevice& audio, std::string_view file, Finder find, Warn warn,
                         std::vector<std::string> soundfonts)
    : audio_(audio), find_(std::move(find)), warn_(std::move(warn)) {
  if (!audio_.opened()) return;  // the output told of its absence already
  if (!midi_needs_soundfont) {
    read(trim_trailing_blanks(file));
    return;
  }
  std::string list;
  for (const std::string& path : soundfonts) list += (list.empty() ? "" : ", ") + path;
  if (std::optional<std::string> found = first_existing(soundfonts)) {
    if (!is_soundfont(*found)) {
      warn_("soundfont " + *found + " is not a SoundFont file: the title music will not be heard");
      return;
    }
    soundfont_ = std::move(*found);
  } else {
    warn_("no MIDI soundfont found (looked for " + list + "): the title music will not be heard");
  }
  read(trim_trailing_blanks(file));
}

MusicPlayer::~MusicPlayer() {
  close();
}

void MusicPlayer::read(const std::string& name) {
  music_.reset();
  name_ = name;
  if (!audio_.opened() || (midi_needs_soundfont && soundfont_.empty()) ||
      std::find(failed_.begin(), failed_.end(), name) != failed_.end())
    return;
  const std::optional<std::string> path = find_(name);
  if (!path) {
    failed_.push_back(name);
    warn_("music file " + name + " not found: it will not be heard");
    return;
  }
  // Given every time: another part of the program may have changed it.
  if (!soundfont_.empty()) Mix_SetSoundFonts(soundfont_.c_str());
  music_.reset(Mix_LoadMUS(path->c_str()));
  if (!music_) {
    failed_.push_back(name);
    warn_("cannot read music file " + *path + " (" + Mix_GetError() + "): it will not be heard");
  }
}

void MusicPlayer::play(std::string_view file) {
  const std::string name = trim_trailing_blanks(file);
  if (!audio_.opened()) {
    name_ = name;  // an output opened later plays it as it arrives
    return;
  }
  if (name != name_ || !music_) read(name);
  if (!music_) return;
  if (Mix_PlayMusic(music_.get(), 0) != 0) {
    failed_.push_back(name);
    warn_("cannot play music file " + name + " (" + Mix_GetError() + "): it will not be heard");
    music_.reset();
  }
}

void MusicPlayer::stop() {
  if (!audio_.opened()) return;
  Mix_HaltMusic();
  // Only another play() starts it again, and that reads the file anew: the
  // synthesizer and its soundfont, most of the program's memory, go now.
  music_.reset();
}

void MusicPlayer::close() {
  stop();
  music_.reset();
  name_.clear();
}

bool MusicPlayer::playing() const {
  return audio_.opened() && music_ && Mix_PlayingMusic() != 0;
}

}  // namespace glouton::audio
