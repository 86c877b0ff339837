// The page's sound on the browser's Web Audio: the game's cues and the
// title's music, fetched and decoded after the title's first frame, and the
// M key's switch. The browser holds the sound back until the player's first
// gesture: cues asked for meanwhile are dropped, the music waits at its start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ports/music_device.h"
#include "ports/sound_device.h"
#include "sound/file_sound_order.h"

namespace glouton::web {

// Makes the audio context and fetches the cues and the music (once).
void start_audio();
// The M key's switch: every sound off, then on again.
void toggle_mute();
bool muted();

class WebSound final : public SoundDevice {
 public:
  void open() override { opened_ = true; }
  void close() override;
  void beep() override;
  void play(const std::string& file, bool hold) override;

  // When the page should wake to start what waits for a held sound (ms, on
  // the page's clock, emscripten_get_now()).
  std::optional<double> wake_at(double now) const;
  // Starts what waited once the held sound has ended.
  void update(double now);

 private:
  void start(FileRequest request, double now);

  bool opened_ = false;
  FileSoundOrder order_;
  double held_end_ = 0;
};

class WebMusic final : public MusicDevice {
 public:
  void play(std::string_view file) override;
  void stop() override;
  void close() override { stop(); }
};

}  // namespace glouton::web
