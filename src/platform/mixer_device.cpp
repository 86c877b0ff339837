#include "platform/mixer_device.h"

#include <SDL.h>

#include <cstdio>

#include "platform/data_files.h"
#include "platform/tone.h"
#include "sound/jouer_son.h"

namespace glouton::platform {

namespace {

constexpr int file_channel = 0;
constexpr int beep_channel = 1;
// Frames per mixing buffer: short enough for a beep to follow its pellet.
constexpr int chunk_frames = 1024;
// How long to look again when a held sound outlasts its expected end.
constexpr std::uint64_t recheck_ms = 5;

}  // namespace

MixerDevice::MixerDevice()
    : MixerDevice(
          [](std::string_view name) { return find_data_file(name); },
          [](const std::string& line) { std::fprintf(stderr, "glouton: %s\n", line.c_str()); }) {}

MixerDevice::MixerDevice(Finder find, Warn warn) {
  if (!open_device(warn)) return;
  make_beep(warn);
  for (int nb = 2; nb <= 6; ++nb) {
    const std::string name = trim_trailing_blanks(cue_file(nb));
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

bool MixerDevice::open_device(const Warn& warn) {
  // Audio on its own: a broken audio driver must not take the window down with it.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    warn(std::string("no sound device (") + SDL_GetError() + "): the game plays silent");
    return false;
  }
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, chunk_frames) != 0 &&
      Mix_OpenAudio(22050, MIX_DEFAULT_FORMAT, 2, chunk_frames / 2) != 0) {
    warn(std::string("no sound device (") + Mix_GetError() + "): the game plays silent");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_AllocateChannels(2);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  bytes_per_ms_ =
      std::max(1, rate * channels * static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) / 1000);
  device_ = true;
  return true;
}

void MixerDevice::make_beep(const Warn& warn) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  if (format != AUDIO_S16SYS) {
    warn("the sound device takes no 16-bit samples: the beep will not be heard");
    return;
  }
  beep_samples_ = make_tone(rate, channels);
  beep_.reset(Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(beep_samples_.data()),
                                static_cast<Uint32>(beep_samples_.size() * sizeof(std::int16_t))));
  if (!beep_) warn(std::string("cannot make the beep (") + Mix_GetError() + ")");
}

MixerDevice::~MixerDevice() {
  if (!device_) return;
  Mix_HaltChannel(-1);
  files_.clear();
  beep_.reset();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void MixerDevice::open() {
  opened_ = true;
}

void MixerDevice::close() {
  opened_ = false;
  order_.clear();
  playing_.clear();
  if (device_) Mix_HaltChannel(-1);
}

void MixerDevice::beep() {
  if (!opened_ || !beep_) return;
  Mix_PlayChannel(beep_channel, beep_.get(), 0);
}

void MixerDevice::play(const std::string& file, bool hold) {
  if (!opened_ || !device_) return;
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
        held_end_ = SDL_GetTicks64() + found->second->alen / static_cast<Uint32>(bytes_per_ms_);
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
  if (!device_ || !order_.holding() || Mix_Playing(file_channel)) return;
  playing_.clear();
  if (std::optional<FileRequest> next = order_.held_ended()) start(std::move(*next));
}

std::optional<std::uint64_t> MixerDevice::wake_at(std::uint64_t now) const {
  if (!order_.waiting()) return std::nullopt;
  return held_end_ > now ? held_end_ : now + recheck_ms;
}

std::string MixerDevice::playing() const {
  if (!device_ || !Mix_Playing(file_channel)) return {};
  return playing_;
}

}  // namespace glouton::platform
