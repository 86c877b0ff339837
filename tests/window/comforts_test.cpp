// The player's comforts that need no window: which keys switch fullscreen
// and the sound, which key-downs reach the game around a loss of focus, the
// mouse mapped to the canvas at every whole scale and on a HiDPI screen, and
// the sound switch on SDL_mixer's dummy output.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "audio/audio_device.h"
#include "audio/sound_switch.h"
#include "draw/controls.h"
#include "draw/title_picture.h"
#include "platform/comfort_keys.h"
#include "screen/fit.h"

namespace glouton::platform {
namespace {

using audio::AudioDevice;
using audio::SoundSwitch;
using draw::title_height;
using draw::title_width;
using draw::to_pixels;

struct ComfortRow {
  SDL_Keycode key;
  Uint16 mods;
  bool repeat;
  Comfort comfort;
};

// F11 and Alt+Enter switch fullscreen, M the sound; other keys and the
// repeats of a key held down ask nothing.
const ComfortRow comfort_rows[] = {
    {SDLK_F11, KMOD_NONE, false, Comfort::fullscreen},
    {SDLK_F11, KMOD_SHIFT, false, Comfort::fullscreen},
    {SDLK_RETURN, KMOD_LALT, false, Comfort::fullscreen},
    {SDLK_RETURN, KMOD_RALT, false, Comfort::fullscreen},
    {SDLK_KP_ENTER, KMOD_LALT, false, Comfort::fullscreen},
    {SDLK_m, KMOD_NONE, false, Comfort::mute},
    {SDLK_m, KMOD_LSHIFT, false, Comfort::mute},
    {SDLK_m, KMOD_CAPS, false, Comfort::mute},
    {SDLK_RETURN, KMOD_NONE, false, Comfort::none},
    {SDLK_RETURN, KMOD_LCTRL, false, Comfort::none},
    {SDLK_F10, KMOD_NONE, false, Comfort::none},
    {SDLK_LEFT, KMOD_NONE, false, Comfort::none},
    {SDLK_n, KMOD_NONE, false, Comfort::none},
    {SDLK_m, KMOD_LCTRL, false, Comfort::none},
    {SDLK_m, KMOD_LALT, false, Comfort::none},
    {SDLK_m, KMOD_LGUI, false, Comfort::none},
    {SDLK_F11, KMOD_NONE, true, Comfort::none},
    {SDLK_RETURN, KMOD_LALT, true, Comfort::none},
    {SDLK_m, KMOD_NONE, true, Comfort::none},
};

TEST(ComfortKeys, EachKeyAsksItsComfort) {
  for (const ComfortRow& row : comfort_rows) {
    EXPECT_EQ(comfort_of(row.key, row.mods, row.repeat), row.comfort)
        << SDL_GetKeyName(row.key) << " mods " << row.mods << (row.repeat ? " repeated" : "");
  }
}

// The "GO !" button of the title, 66 × 28 pixels at (14, 425).
const PixelRect go = to_pixels(go_place);

Point click(Size window, Size output, int x, int y) {
  return window_to_canvas(title_width, title_height, window, output, {x, y});
}

bool on_go(Point p) {
  return go.contains(p.x, p.y);
}

TEST(MouseMapping, LandsOnTheSameCanvasPixelAtScalesOneTwoAndThree) {
  for (int k = 1; k <= 3; ++k) {
    const Size size{title_width * k, title_height * k};
    // Every window pixel of the canvas's pixel (40, 439) maps back to it.
    for (int dx = 0; dx < k; ++dx) {
      const Point p = click(size, size, 40 * k + dx, 439 * k + dx);
      EXPECT_EQ(p.x, 40) << "scale " << k;
      EXPECT_EQ(p.y, 439) << "scale " << k;
    }
    EXPECT_TRUE(on_go(click(size, size, go.x * k, go.y * k))) << "scale " << k;
    EXPECT_FALSE(on_go(click(size, size, go.x * k - 1, go.y * k))) << "scale " << k;
    EXPECT_TRUE(on_go(click(size, size, (go.x + go.w) * k - 1, (go.y + go.h) * k - 1)));
    EXPECT_FALSE(on_go(click(size, size, (go.x + go.w) * k, (go.y + go.h) * k - 1)));
  }
}

// A click at (x, y) of a window of `window` points drawn in `output` pixels.
struct ClickRow {
  Size window, output;
  int x, y;
  Point canvas;  // the canvas pixel it lands on
  const char* why;
};

// 1024 × 768 fullscreen: scale 1, bars of 159 and 150 pixels. 1920 × 1080:
// scale 2, bars of 254 and 72. A HiDPI window of 706 × 468 points drawn in
// 1412 × 936 pixels: scale 2. Fullscreen on a 2× screen of 1280 × 800 points
// (2560 × 1600 pixels): scale 3 at (221, 98); canvas pixel (40, 439) is pixel
// 221 + 120 across, 98 + 1317 down, halved.
const Size screen{1024, 768}, hd{1920, 1080}, points{title_width, title_height},
    pixels{2 * title_width, 2 * title_height}, screen_points{1280, 800}, screen_pixels{2560, 1600};
const ClickRow click_rows[] = {
    {screen, screen, 159 + 40, 150 + 439, {40, 439}, "fullscreen, through the bars"},
    {hd, hd, 254 + 80, 72 + 878, {40, 439}, "scale 2 with bars"},
    {hd, hd, 253, 71, {-1, -1}, "in the bars: outside the canvas"},
    {points, pixels, 40, 439, {40, 439}, "HiDPI: points, not pixels"},
    {points, pixels, 705, 467, {705, 467}, "HiDPI: the corner"},
    {screen_points, screen_pixels, (221 + 121) / 2, (98 + 1318) / 2, {40, 439}, "HiDPI fullscreen"},
    {{0, 0}, {0, 0}, 40, 439, {40, 439}, "a window with no size yet: as at scale 1"},
};

TEST(MouseMapping, GoesThroughTheBarsAndHiDpiScaling) {
  for (const ClickRow& row : click_rows) {
    const Point p = click(row.window, row.output, row.x, row.y);
    EXPECT_EQ(std::pair(p.x, p.y), std::pair(row.canvas.x, row.canvas.y)) << row.why;
  }
  EXPECT_FALSE(on_go(click(screen, screen, 40, 439))) << "where GO is when there is no bar";
  EXPECT_TRUE(on_go(click(points, pixels, go.x, go.y)));
  EXPECT_FALSE(on_go(click(points, pixels, go.x - 1, go.y)));
  EXPECT_EQ(fit_view(title_width, title_height, pixels.w, pixels.h).scale, 2);
  const View v = fit_view(title_width, title_height, screen_pixels.w, screen_pixels.h);
  EXPECT_EQ(std::tuple(v.scale, v.x, v.y), std::tuple(3, 221, 98));
}

class SoundSwitchOnMixer : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    audio_ = std::make_unique<AudioDevice>([this](const std::string& w) { warning_ = w; });
    ASSERT_TRUE(audio_->opened()) << warning_;
  }
  void TearDown() override {
    Mix_Volume(-1, MIX_MAX_VOLUME);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
    audio_.reset();
    unsetenv("SDL_AUDIODRIVER");
  }
  std::unique_ptr<AudioDevice> audio_;
  std::string warning_;
};

TEST_F(SoundSwitchOnMixer, SilencesEveryChannelAndTheMusicThenRestoresThem) {
  const int channels = Mix_AllocateChannels(-1);
  ASSERT_GE(channels, 2);
  Mix_Volume(0, 100);
  Mix_Volume(1, 37);
  Mix_VolumeMusic(90);
  SoundSwitch s;
  EXPECT_FALSE(s.muted());
  s.toggle();
  EXPECT_TRUE(s.muted());
  for (int c = 0; c < channels; ++c) EXPECT_EQ(Mix_Volume(c, -1), 0) << "channel " << c;
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  s.toggle();
  EXPECT_FALSE(s.muted());
  EXPECT_EQ(Mix_Volume(0, -1), 100);
  EXPECT_EQ(Mix_Volume(1, -1), 37);
  EXPECT_EQ(Mix_VolumeMusic(-1), 90);
  // And again: the switch goes on working, each time from the volumes of the moment.
  Mix_Volume(1, 64);
  s.toggle();
  EXPECT_EQ(Mix_Volume(1, -1), 0);
  s.toggle();
  EXPECT_EQ(Mix_Volume(1, -1), 64);
  EXPECT_EQ(Mix_Volume(0, -1), 100);
}

}  // namespace
}  // namespace glouton::platform
