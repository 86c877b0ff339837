// The sound device: the beep's tone, and SDL_mixer on its dummy driver with
// missing files and no device at all.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "audio/mixer_device.h"
#include "audio/tone.h"
#include "support/temp_dir.h"

namespace glouton::audio {
namespace {

using glouton::testing::TempDir;

TEST(Tone, IsShortQuietAndFadesInAndOut) {
  const std::vector<std::int16_t> tone = make_tone(44100, 2);
  ASSERT_EQ(tone.size(), 44100u * 60 / 1000 * 2);
  EXPECT_EQ(tone.front(), 0);
  EXPECT_EQ(tone.back(), 0);
  const auto loudest = std::max_element(tone.begin(), tone.end(),
                                        [](auto a, auto b) { return std::abs(a) < std::abs(b); });
  EXPECT_GT(std::abs(*loudest), 5000);
  EXPECT_LE(std::abs(*loudest), 32767 / 5 + 1);
  for (std::size_t i = 0; i + 1 < tone.size(); i += 2) ASSERT_EQ(tone[i], tone[i + 1]);
  // 880 Hz: 52.8 rising zero crossings in 60 ms.
  int crossings = 0;
  for (std::size_t i = 2; i < tone.size(); i += 2) crossings += tone[i - 2] < 0 && tone[i] >= 0;
  EXPECT_NEAR(crossings, 53, 1);
  EXPECT_TRUE(make_tone(0, 2).empty());
  EXPECT_EQ(make_tone(22050, 1, {100, 440.0, 0.1, 5}).size(), 2205u);
}

// A mono 16-bit WAVE file of `ms` milliseconds of silence.
std::string wave(int ms) {
  const int rate = 22050;
  const std::uint32_t data = static_cast<std::uint32_t>(rate * ms / 1000 * 2);
  std::string w;
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) w += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  auto u16 = [&](std::uint16_t v) {
    for (int i = 0; i < 2; ++i) w += static_cast<char>((v >> (8 * i)) & 0xff);
  };
  w += "RIFF";
  u32(36 + data);
  w += "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  w += "data";
  u32(data);
  w += std::string(data, '\0');
  return w;
}

class Mixer : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }

  MixerDevice::Finder in(const TempDir& dir) { return dir.finder(); }
  MixerDevice::Warn collect() {
    return [this](const std::string& line) { warnings.push_back(line); };
  }
  // Waits, as the loop would, until nothing waits for a held sound any more.
  static void settle(MixerDevice& device) {
    for (int i = 0; i < 200; ++i) {
      const std::uint64_t now = SDL_GetTicks64();
      const std::optional<std::uint64_t> wake = device.wake_at(now);
      if (!wake) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(*wake - now));
      device.update();
    }
  }

  std::vector<std::string> warnings;
};

TEST_F(Mixer, WarnsOnceForEachMissingFileAndPlaysOnSilent) {
  TempDir dir;
  dir.write("gloutonone/short11.wav", wave(50));
  dir.write("gloutonone/silly.wav", "RIFF broken");
  const AudioDevice audio(collect());
  MixerDevice device(audio, in(dir), collect());
  ASSERT_TRUE(device.has_device());
  // bloop (its name's blank trimmed), short34 and Halleluj are missing; silly is unreadable.
  ASSERT_EQ(warnings.size(), 4u);
  EXPECT_NE(warnings[0].find("gloutonone/bloop.wav not found"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("gloutonone/short34.wav not found"), std::string::npos);
  EXPECT_NE(warnings[2].find("silly.wav"), std::string::npos);
  EXPECT_NE(warnings[3].find("gloutonone/Halleluj.wav not found"), std::string::npos);
  device.open();
  device.play("gloutonone/silly.wav", true);  // cannot play: nothing held
  device.play("gloutonone/bloop.wav ", false);
  device.beep();
  device.play("gloutonone/short11.wav", false);
  EXPECT_EQ(device.playing(), "gloutonone/short11.wav");
  EXPECT_EQ(device.wake_at(SDL_GetTicks64()), std::nullopt);
  EXPECT_EQ(warnings.size(), 4u);
}

TEST_F(Mixer, AHeldSoundPlaysToItsEndAndThenWhatWaited) {
  TempDir dir;
  dir.write("gloutonone/bloop.wav", wave(40));
  dir.write("gloutonone/short11.wav", wave(400));
  dir.write("gloutonone/short34.wav", wave(400));
  dir.write("gloutonone/silly.wav", wave(150));
  dir.write("gloutonone/Halleluj.wav", wave(400));
  const AudioDevice audio(collect());
  MixerDevice device(audio, in(dir), collect());
  EXPECT_TRUE(warnings.empty());
  device.open();
  device.play("gloutonone/short11.wav", false);
  device.play("gloutonone/silly.wav", true);  // cuts short11 short
  EXPECT_EQ(device.playing(), "gloutonone/silly.wav");
  const std::uint64_t asked = SDL_GetTicks64();
  device.play("gloutonone/short34.wav", false);
  device.beep();
  device.play("gloutonone/bloop.wav ", false);
  EXPECT_EQ(device.playing(), "gloutonone/silly.wav");
  const std::optional<std::uint64_t> wake = device.wake_at(asked);
  ASSERT_TRUE(wake);
  EXPECT_GE(*wake, asked + 100);
  EXPECT_LE(*wake, asked + 200);
  settle(device);
  EXPECT_EQ(device.playing(), "gloutonone/bloop.wav");
  EXPECT_GE(SDL_GetTicks64() - asked, 100u);
  // Unheld sounds cut each other short at once.
  device.play("gloutonone/Halleluj.wav", false);
  EXPECT_EQ(device.playing(), "gloutonone/Halleluj.wav");
  device.close();
  EXPECT_EQ(device.playing(), "");
  device.play("gloutonone/short11.wav", false);  // closed: plays nothing
  EXPECT_EQ(device.playing(), "");
}

TEST_F(Mixer, NoDeviceIsOneWarningAndSilence) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  TempDir dir;
  const AudioDevice audio(collect());
  MixerDevice device(audio, in(dir), collect());
  EXPECT_FALSE(device.has_device());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("no sound device"), std::string::npos) << warnings[0];
  device.open();
  device.beep();
  device.play("gloutonone/silly.wav", true);
  device.update();
  EXPECT_EQ(device.playing(), "");
  EXPECT_EQ(device.wake_at(0), std::nullopt);
}

TEST_F(Mixer, ALostDeviceIsOneWarningAndSilenceWithNothingLeftWaiting) {
  TempDir dir;
  dir.write("gloutonone/bloop.wav", wave(40));
  dir.write("gloutonone/short11.wav", wave(400));
  AudioDevice audio(collect());
  MixerDevice device(audio, in(dir), collect());
  device.open();
  device.play("gloutonone/short11.wav", true);
  device.play("gloutonone/bloop.wav ", false);  // waits for the held sound
  ASSERT_TRUE(device.wake_at(SDL_GetTicks64()));
  warnings.clear();  // of the files not written
  audio.lost();
  audio.lost();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("sound device is gone"), std::string::npos) << warnings[0];
  EXPECT_EQ(device.playing(), "");
  EXPECT_EQ(device.wake_at(SDL_GetTicks64()), std::nullopt);  // no wake for a sound never heard
  device.play("gloutonone/bloop.wav", false);
  EXPECT_EQ(device.playing(), "");
}

}  // namespace
}  // namespace glouton::audio
