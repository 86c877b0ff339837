// The beep of an eaten pellet: a short sine tone made in memory, so it needs
// no file and no terminal bell.
#pragma once

#include <cstdint>
#include <vector>

namespace glouton::audio {

struct ToneShape {
  int milliseconds = 60;
  double hertz = 880.0;
  double volume = 0.2;        // of full scale
  int fade_milliseconds = 5;  // in and out, so the tone does not click
};

// Interleaved signed 16-bit samples for `channels` channels at `rate` Hz.
std::vector<std::int16_t> make_tone(int rate, int channels, const ToneShape& shape = {});

}  // namespace glouton::audio
