#include "audio/mixer_device.h"

#include <SDL.h>

#include <utility>

#include "audio/tone.h"
#include "program/text_fields.h"
#include "sound/cues.h"

namespace glouton::audio {

namespace {

constexpr int file_channel = 0;
constexpr int beep_channel = 1;
// How long to look again when a held sound outlasts its expected end.
constexpr std::uint64_t recheck_ms = 5;

}  // namespace

MixerDevice::MixerDevice(const AudioDevice& audio, Finder find, Warn warn)
    : audio_(audio), find_(std::move(find)), warn_(std::move(warn)) {
  read_files();
}

void MixerDevice::read_files() {
  if (!audio_.opened() || std::exchange(read_, true)) return;
  make_beep(warn_);
  const Finder& find = find_;
  const Warn& warn = warn_;
  for (const CueSound& cue : cue_sounds) {
    const std::string name = trim_trailing_blanks(cue.file);
    if (name.empty() || files_.contains(name)) continue;
    const std::optional<std::string> path = find(name);
    if (!path) {
      warn("sound file " + name + " not found: it will not be heard");
      continue;
    }
    ChunkPtr chunk(Mix_LoadWAV(path->c_str()));
    if (!chunk) {
      warn("cannot read sound file " + *path + " (" + Mix_GetError() + "): it will not be heard");
      continue;
    }
    files_.emplace(name, std::move(chunk));
  }
}

void MixerDevice::make_beep(const Warn& warn) {
  if (audio_.format() != AUDIO_S16SYS) {
    warn("the sound device takes no 16-bit samples: the beep will not be heard");
    return;
  }
  beep_samples_ = make_tone(audio_.rate(), audio_.channels());
  beep_.reset(Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(beep_samples_.data()),
                                static_cast<Uint32>(beep_samples_.size() * sizeof(std::int16_t))));
  if (!beep_) warn(std::string("cannot make the beep (") + Mix_GetError() + ")");
}

MixerDevice::~MixerDevice() {
  if (!audio_.opened()) return;
  // The chunks go before the output closes; the music keeps playing.
  Mix_HaltChannel(file_channel);
  Mix_HaltChannel(beep_channel);
  files_.clear();
  beep_.reset();
}

void MixerDevice::open() {
  opened_ = true;
}

void MixerDevice::close() {
  opened_ = false;
  order_.clear();
  playing_.clear();
  if (audio_.opened()) {
    Mix_HaltChannel(file_channel);
    Mix_HaltChannel(beep_channel);
  }
}

void MixerDevice::beep() {
  if (!opened_ || !beep_) return;
  Mix_PlayChannel(beep_channel, beep_.get(), 0);
}

void MixerDevice::play(const std::string& file, bool hold) {
  if (!opened_ || !audio_.opened()) return;
  update();
  if (std::optional<FileRequest> now = order_.ask({file, hold})) start(std::move(*now));
}

void MixerDevice::start(FileRequest request) {
  std::optional<FileRequest> next = std::move(request);
  while (next) {
    const auto found = files_.find(trim_trailing_blanks(next->file));
    if (found != files_.end() && Mix_PlayChannel(file_channel, found->second.get(), 0) >= 0) {
      playing_ = found->first;
      if (next->hold)
        held_end_ =
            SDL_GetTicks64() + found->second->alen / static_cast<Uint32>(audio_.bytes_per_ms());
      return;
    }
    // A sound that cannot play still ends the one before it, as it would have.
    Mix_HaltChannel(file_channel);
    playing_.clear();
    if (!next->hold) return;
    next = order_.held_ended();
  }
}

void MixerDevice::update() {
  if (!audio_.opened() || !order_.holding() || Mix_Playing(file_channel)) return;
  playing_.clear();
  if (std::optional<FileRequest> next = order_.held_ended()) start(std::move(*next));
}

std::optional<std::uint64_t> MixerDevice::wake_at(std::uint64_t now) const {
  if (!order_.waiting() || !audio_.opened()) return std::nullopt;
  return held_end_ > now ? held_end_ : now + recheck_ms;
}

std::string MixerDevice::playing() const {
  if (!audio_.opened() || !Mix_Playing(file_channel)) return {};
  return playing_;
}

}  // namespace glouton::audio
