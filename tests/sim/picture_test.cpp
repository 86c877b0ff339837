// Both windows' pictures at chosen moments, pixel for pixel against pictures
// taken from the SDL windows as they drew before the drawing module did
// (tests/sim/pictures/README), on a screen that took only the rectangles the
// pictures said had changed at each wake.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "draw/game_picture.h"
#include "draw/title_picture.h"
#include "program/program.h"
#include "sim/key_script.h"
#include "sim/png_file.h"

namespace glouton {
namespace {

const std::string dir = GLOUTON_SOURCE_DIR "/tests/sim/";

std::vector<KeyEvent> keys_of(const std::string& script) {
  if (script.empty()) return {};
  std::ifstream file(dir + "scripts/" + script);
  std::stringstream text;
  text << file.rdbuf();
  return parse_key_script(text.str()).events;
}

// The program on a virtual clock, its picture brought up to date at each
// wake, and a screen that takes only the rectangles said to have changed.
class Watched final : public ProgramHost {
 public:
  Watched(bool title, bool pressed) : title_(title), pressed_(pressed) {}

  draw::PixelBuffer screen_at(const std::vector<KeyEvent>& keys, std::int64_t t) {
    Program program(*this, sound_, music_);
    title_ ? program.start(0) : program.open_game(0);
    show(program);
    std::size_t next = 0;
    for (;;) {
      std::int64_t wake = next < keys.size() ? keys[next].t : t + 1;
      if (program.next_wake()) wake = std::min(wake, *program.next_wake());
      if (wake > t) break;
      for (; next < keys.size() && keys[next].t == wake; ++next)
        program.feed(wake, Input::pressed(keys[next].code));
      program.advance(wake);
      show(program);
    }
    return screen_;
  }

 private:
  Surface& game_window_opened() override {
    game_.clear();
    return game_;
  }
  void show(Program& program) {
    program.take_changes();
    draw::WindowPicture& picture = title_ ? static_cast<draw::WindowPicture&>(title_picture_)
                                          : static_cast<draw::WindowPicture&>(game_);
    title_ ? title_picture_.show(program.view(), pressed_) : game_.show(program.view(), pressed_);
    if (screen_.width() != picture.pixels().width())
      screen_ = draw::PixelBuffer(picture.pixels().width(), picture.pixels().height(), 0);
    for (const PixelRect& r : picture.take_changed()) screen_.copy(picture.pixels(), r);
  }

  bool title_, pressed_;
  SilentDevice sound_;
  SilentMusic music_;
  draw::GamePicture game_;
  draw::TitlePicture title_picture_;
  draw::PixelBuffer screen_{1, 1, 0};
};

struct Moment {
  const char* picture;
  bool title;
  const char* keys;
  std::int64_t t;
  bool pressed;  // "GO !" or "CC", from the start
};

TEST(Pictures, AreTheSdlWindowsPixelForPixel) {
  const Moment moments[] = {
      {"title", true, "", 1500, false},
      {"title_go_pressed", true, "", 1500, true},
      {"first_maze", false, "", 0, false},
      {"cc_pressed", false, "", 0, true},
      {"score_greyed", false, "steer.keys", 1000, false},
      {"score_lives_lost", false, "steer.keys", 12000, false},
      {"best_shown", false, "best.keys", 31000, false},
      // The README's maze (tools/make-doc-pictures.sh): it shows what the game draws.
      {"../../../docs/pictures/maze", false, "steer.keys", 8000, false},
  };
  for (const Moment& m : moments) {
    SCOPED_TRACE(m.picture);
    const draw::PixelBuffer got = Watched(m.title, m.pressed).screen_at(keys_of(m.keys), m.t);
    std::string error;
    const std::optional<draw::PixelBuffer> want =
        read_png(dir + "pictures/" + m.picture + ".png", error);
    ASSERT_TRUE(want) << error;
    ASSERT_EQ(got.width(), want->width());
    ASSERT_EQ(got.height(), want->height());
    int differ = 0;
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x)
        differ += ((got.at(x, y) ^ want->at(x, y)) & 0xffffff) != 0;
    EXPECT_EQ(differ, 0);
  }
}

}  // namespace
}  // namespace glouton
