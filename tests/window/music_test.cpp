// The title's music: which soundfont SDL_mixer is given, the one warning
// when the music cannot be heard, and a tune read ahead that plays once,
// on SDL's dummy audio driver.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "audio/audio_device.h"
#include "audio/music_player.h"
#include "support/temp_dir.h"

namespace glouton::audio {
namespace {

using glouton::testing::TempDir;

TEST(Soundfont, TheFirstPathHoldingAFileIsChosen) {
  EXPECT_EQ(usual_soundfonts(), (std::vector<std::string>{"/usr/share/sounds/sf2/default-GM.sf2",
                                                          "/usr/share/sounds/sf3/default-GM.sf3",
                                                          "/usr/share/sounds/sf2/TimGM6mb.sf2"}));
  TempDir dir;
  const std::string missing = (dir.path() / "missing.sf2").string();
  const std::string folder = (dir.path() / "folder.sf2").string();
  std::filesystem::create_directories(folder);
  const std::string dangling = (dir.path() / "dangling.sf2").string();
  std::filesystem::create_symlink(dir.path() / "nowhere.sf2", dangling);
  const std::string second = dir.write("second.sf3", "x").string();
  const std::string third = dir.write("third.sf2", "x").string();
  EXPECT_EQ(first_existing({missing, folder, dangling, second, third}), second);
  EXPECT_EQ(first_existing({third, second}), third);
  // A link to a file counts: Debian's default-GM.sf2 is one.
  const std::string link = (dir.path() / "link.sf2").string();
  std::filesystem::create_symlink(third, link);
  EXPECT_EQ(first_existing({missing, link, second}), link);
  EXPECT_EQ(first_existing({missing, folder, dangling, ""}), std::nullopt);
  EXPECT_EQ(first_existing({}), std::nullopt);
}

// A format-0 MIDI file: one note of `quarters` quarter notes at 120 beats a minute.
std::string one_note(int quarters) {
  const int ticks = 96 * quarters;
  std::string track = {0x00, static_cast<char>(0x90), 0x3C, 0x64};  // note on, middle C
  // The note's length as a variable-length number (two bytes cover up to 16,383).
  track += static_cast<char>(0x80 | ((ticks >> 7) & 0x7F));
  track += static_cast<char>(ticks & 0x7F);
  track += {static_cast<char>(0x80), 0x3C, 0x40};                          // note off
  track += {0x00, static_cast<char>(0xFF), 0x2F, 0x00};                    // end of track
  std::string midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96};  // 96 ticks a quarter
  midi += {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<char>(track.size())};
  return midi + track;
}

class Music : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override { unsetenv("SDL_AUDIODRIVER"); }

  MusicPlayer::Finder in(const TempDir& dir) { return dir.finder(); }
  Warn collect() {
    return [this](const std::string& line) { warnings.push_back(line); };
  }
  static bool contains(const std::string& line, std::string_view part) {
    return line.find(part) != std::string::npos;
  }

  std::vector<std::string> warnings;
};

TEST_F(Music, WithoutASoundfontTheTitleIsSilentAfterOneWarning) {
  TempDir dir;
  dir.write("gloutonone/musique-bis.mid", one_note(1));
  const AudioDevice audio(collect());
  ASSERT_TRUE(audio.opened());
  const std::string none = (dir.path() / "none.sf2").string();
  MusicPlayer music(audio, title_music, in(dir), collect(), {none});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(contains(warnings[0], "no MIDI soundfont found")) << warnings[0];
  EXPECT_TRUE(contains(warnings[0], none)) << warnings[0];
  EXPECT_EQ(music.soundfont(), "");
  EXPECT_FALSE(music.ready());
  music.play(title_music);
  music.play(title_music);
  EXPECT_FALSE(music.playing());
  music.stop();
  music.close();
  EXPECT_EQ(warnings.size(), 1u);
}

TEST_F(Music, AMissingMusicFileIsOneWarningNamingIt) {
  TempDir dir;
  // Only the head of a SoundFont: the music file is looked for first.
  const std::string font = dir.write("font.sf2", std::string("RIFF\0\0\0\0sfbk", 12)).string();
  ASSERT_TRUE(is_soundfont(font));
  const AudioDevice audio(collect());
  MusicPlayer music(audio, title_music, in(dir), collect(), {font});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(contains(warnings[0], "music file gloutonone/musique-bis.mid not found"))
      << warnings[0];
  EXPECT_EQ(music.soundfont(), font);
  dir.write("gloutonone/musique-bis.mid", one_note(1));
  music.play(title_music);  // not looked for again, nor told again
  EXPECT_FALSE(music.ready());
  EXPECT_FALSE(music.playing());
  EXPECT_EQ(warnings.size(), 1u);
}

TEST_F(Music, AFileThatIsNoSoundfontIsOneWarningAndSilence) {
  TempDir dir;
  dir.write("gloutonone/musique-bis.mid", one_note(1));
  const std::string wave =
      dir.write("wave.sf2", std::string("RIFF\x04\0\0\0WAVEfmt ", 16)).string();
  const std::string short_file = dir.write("short.sf2", "RIFF").string();
  EXPECT_FALSE(is_soundfont(wave));
  EXPECT_FALSE(is_soundfont(short_file));
  EXPECT_FALSE(is_soundfont((dir.path() / "absent.sf2").string()));
  const AudioDevice audio(collect());
  // The first that exists is the one: a good one after it is not tried.
  const std::string good = dir.write("good.sf2", std::string("RIFF\0\0\0\0sfbk", 12)).string();
  MusicPlayer music(audio, title_music, in(dir), collect(), {wave, good});
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(contains(warnings[0], "soundfont " + wave + " is not a SoundFont file"))
      << warnings[0];
  EXPECT_EQ(music.soundfont(), "");
  music.play(title_music);
  EXPECT_FALSE(music.playing());
  EXPECT_EQ(warnings.size(), 1u);
}

TEST_F(Music, NoAudioOutputIsTheOutputsOneWarningOnly) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  TempDir dir;
  dir.write("gloutonone/musique-bis.mid", one_note(1));
  const AudioDevice audio(collect());
  EXPECT_FALSE(audio.opened());
  MusicPlayer music(audio, title_music, in(dir), collect());
  music.play(title_music);
  EXPECT_FALSE(music.playing());
  music.close();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(contains(warnings[0], "no sound device")) << warnings[0];
}

TEST_F(Music, IsReadAheadWithTheChosenSoundfontAndPlaysOnceThrough) {
  const std::optional<std::string> font = first_existing(usual_soundfonts());
  if (!font) {
    // `make test` installs one (timgm6mb-soundfont): there its absence is a fault.
    if (const char* all = std::getenv("GLOUTON_REQUIRE_ALL"); all && std::string(all) == "1")
      FAIL() << "no General MIDI soundfont: install the Debian package timgm6mb-soundfont";
    GTEST_SKIP() << "no General MIDI soundfont installed";
  }
  TempDir dir;
  dir.write("gloutonone/musique-bis.mid", one_note(1));  // half a second
  const AudioDevice audio(collect());
  MusicPlayer music(audio, title_music, in(dir), collect());
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  EXPECT_EQ(music.soundfont(), *font);
  ASSERT_NE(Mix_GetSoundFonts(), nullptr);
  EXPECT_EQ(std::string(Mix_GetSoundFonts()), *font) << "exactly the one chosen, nothing else";
  ASSERT_TRUE(music.ready());
  EXPECT_FALSE(music.playing()) << "read ahead, not started";
  music.play(title_music);
  EXPECT_TRUE(music.playing());
  music.stop();
  EXPECT_FALSE(music.playing());
  EXPECT_FALSE(music.ready()) << "stopped, the music and its synthesizer are let go";
  // Played again, read anew, from its start, it ends by itself: it does not loop.
  music.play(title_music);
  EXPECT_TRUE(music.playing());
  // (The synthesizer lets the note ring out for some seconds after its end.)
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (music.playing() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(music.playing()) << "still playing 10 s after a half-second tune began";
  music.close();
  EXPECT_FALSE(music.ready());
  EXPECT_TRUE(warnings.empty());
}

}  // namespace
}  // namespace glouton::audio
