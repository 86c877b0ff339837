#include "audio/tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace glouton::audio {

std::vector<std::int16_t> make_tone(int rate, int channels, const ToneShape& shape) {
  if (rate <= 0 || channels <= 0 || shape.milliseconds <= 0) return {};
  const int frames = rate * shape.milliseconds / 1000;
  const int fade = std::max(1, rate * shape.fade_milliseconds / 1000);
  std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) *
                                    static_cast<std::size_t>(channels));
  for (int i = 0; i < frames; ++i) {
    const double envelope =
        std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
    const double value =
        shape.volume * envelope * std::sin(2.0 * std::numbers::pi * shape.hertz * i / rate);
    const auto sample = static_cast<std::int16_t>(std::lround(value * 32767.0));
    for (int c = 0; c < channels; ++c)
      samples[static_cast<std::size_t>(i) * static_cast<std::size_t>(channels) +
              static_cast<std::size_t>(c)] = sample;
  }
  return samples;
}

}  // namespace glouton::audio
