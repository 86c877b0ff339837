// The replay viewer without a window: its keys, its pace against the
// frontend's clock, and a jump that shows what playing on to the same moment shows.
#include <gtest/gtest.h>

#include "ports/keys.h"
#include "program/program.h"
#include "program/replay_viewer.h"
#include "sim/simulation.h"

namespace glouton {
namespace {

TEST(ReplayViewer, KeysSteerThePace) {
  struct Row {
    std::vector<int> keys;  // pressed at 1000, the viewer started at 0 on a 60 s replay
    std::string_view speed;
    bool paused;
    std::int64_t at_3000;  // the replay's time at 3000
    ViewerCommand last;
  };
  using K = ViewerCommand::Kind;
  const Row rows[] = {
      {{}, "×1", false, 3000, {}},
      {{key_right, key_right}, "×4", false, 1000 + 2000 * 4, {}},
      {{key_right, key_right, key_right, key_right, key_right}, "×16", false, 33000, {}},
      {{key_left, key_left, key_left, key_right}, "×½", false, 2000, {}},
      {{key_space}, "×1", true, 1000, {}},
      {{key_home}, "×1", false, 3000, {K::jump, 0}},
      {{key_digit_1 + 4}, "×1", false, 3000, {K::jump, 30000}},
      {{key_end}, "×1", false, 3000, {K::jump, 60000}},
      {{key_escape}, "×1", false, 3000, {K::quit}},
      {{key_up, 'A'}, "×1", false, 3000, {}},
  };
  for (const Row& row : rows) {
    ReplayViewer v(60000, 0);
    ViewerCommand last;
    for (const int code : row.keys) last = v.key(1000, code);
    SCOPED_TRACE(testing::PrintToString(row.keys));
    EXPECT_EQ(v.speed().label, row.speed);
    EXPECT_EQ(v.paused(), row.paused);
    EXPECT_EQ(v.reached(3000), row.at_3000);
    EXPECT_EQ(last, row.last);
  }
}

TEST(ReplayViewer, WakesForTheNextStepOrSecondAndStopsAtTheEnd) {
  ReplayViewer v(200000, 500);
  for (const int code : {key_left, key_left}) v.key(500, code);  // ×¼
  EXPECT_EQ(v.wake_at(100), 900);
  EXPECT_EQ(v.wake_at(5000), 4500) << "the caption's next second first";
  v.jumped(1000, 192500);
  for (const int code : {key_right, key_right, key_right, key_right, key_space}) v.key(1000, code);
  EXPECT_EQ(v.caption(), "Glouton — revoir 03:12 / 03:20 ×4 (pause)");
  v.key(1000, key_space);
  EXPECT_EQ(v.reached(9000), 200000);
  EXPECT_EQ(v.wake_at(std::nullopt), std::nullopt);
}

// A watched replay as a frontend drives it: each surface's paints since it was blanked.
class Watch : public ProgramHost {
 public:
  explicit Watch(const std::vector<ReplayStep>& steps) { program.watch_replay(0, steps); }
  Surface& game_window_opened() override {
    ++opened;
    return game_window_blanked();
  }
  void game_window_closed() override { ++closed; }
  void game_event(std::string_view) override { ++events; }
  Surface& game_window_blanked() override {
    surface.take();
    shown.clear();
    return surface;
  }
  std::vector<Paint> paints() {
    program.take_changes();
    std::vector<Paint> p = surface.take();
    shown.insert(shown.end(), p.begin(), p.end());
    return shown;
  }

  RecordingSurface surface{true};
  std::vector<Paint> shown;
  SilentDevice sound;
  SilentMusic music;
  Program program{*this, sound, music};
  int opened = 0, closed = 0, events = 0;
};

TEST(ReplayViewer, AJumpShowsWhatPlayingOnToThatMomentShows) {
  // Two game windows of 40 s, the second after the first's frame closed, then Escape.
  std::string text(replay_header);
  text += '\n';
  for (int window = 0; window < 2; ++window) {
    std::vector<KeyEvent> keys;
    for (int t = 300; t < 40000; t += 700) keys.push_back({t, key_left + (t / 700) % 4});
    std::string lines;
    Simulation sim(false, [&lines](std::string_view l) { (lines += l) += '\n'; });
    sim.run(keys, 40000);
    text += lines + (window == 0 ? "40000 close\n" : "40000 key 27\n");
  }
  const ReplayResult replay = parse_replay(text);
  ASSERT_EQ(replay.error, "");

  Watch jumped(replay.steps);
  jumped.paints();
  const int events = jumped.events;
  jumped.program.feed(20, Input::pressed(key_digit_1 + 6));  // 70 %: 56 s, in the second window
  Watch played(replay.steps);
  for (std::int64_t t = 0; t <= 56000; t += 250) {
    played.program.advance(t);
    played.paints();
  }
  EXPECT_EQ(jumped.paints(), played.paints());
  Watch sought(replay.steps);  // the bar's seek carries its place
  sought.program.feed(20, Input::seek_to(56000));
  EXPECT_EQ(sought.paints(), played.paints());
  EXPECT_EQ(sought.program.view().viewer, (ViewerPlace{56000, 80000, "×1", false}));
  EXPECT_EQ(std::pair(jumped.program.view().score, jumped.program.view().best),
            std::pair(played.program.view().score, played.program.view().best));
  EXPECT_EQ(jumped.program.view().caption, "Glouton — revoir 00:56 / 01:20 ×1");
  EXPECT_EQ(jumped.events, events) << "the jump's own events reach no trace";
  EXPECT_EQ(std::pair(played.opened, played.closed), std::pair(1, 0)) << "one window throughout";
  played.program.advance(90000);
  EXPECT_FALSE(played.program.ended()) << "the last moment stays until Escape";
  played.program.feed(90000, Input::pressed(key_escape));
  EXPECT_TRUE(played.program.ended());
  EXPECT_EQ(played.closed, 1);
}

}  // namespace
}  // namespace glouton
