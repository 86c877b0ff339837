// The title window's logic: the sliding face, "GO !", and what a second game
// window of the same run keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/form_load.h"
#include "game/level.h"
#include "player/glouton.h"
#include "program/program.h"
#include "program/replay.h"
#include "program/run_memory.h"
#include "program/window_flow.h"
#include "support/test_window.h"
#include "title/form2.h"

namespace glouton {
namespace {

class RecordingMusic final : public MusicDevice {
 public:
  void play(std::string_view file) override { calls.push_back("play " + std::string(file)); }
  void stop() override { calls.push_back("stop"); }
  void close() override { calls.push_back("close"); }
  std::vector<std::string> calls;
};

TEST(Title, FaceSlidesBy60AndStartsAgainAfterPassing9600) {
  Clock clock;
  RecordingMusic music;
  Form2 f(clock, music);
  Form_Load(f);
  EXPECT_EQ(music.calls, std::vector<std::string>{"play gloutonone/musique-bis.mid"});
  EXPECT_EQ(std::pair(f.image1_left, f.image1_top), std::pair(225, 4005)) << "design place";
  Timer1_Timer(f);
  EXPECT_EQ(std::pair(f.image1_left, f.image1_top), std::pair(60, 4500));
  for (int tick = 2; tick <= 160; ++tick) Timer1_Timer(f);
  EXPECT_EQ(f.image1_left, 9600) << "after 160 ticks, 32 seconds";
  Timer1_Timer(f);
  EXPECT_EQ(f.image1_left, 0) << "back to the left edge, not 9660";
  Timer1_Timer(f);
  EXPECT_EQ(f.image1_left, 60);
  EXPECT_EQ(f.Timer1.Interval(), 200);
  EXPECT_TRUE(f.Timer1.Enabled());
}

TEST(Title, GoStopsTheFaceAndTheMusicThenAsksForTheGame) {
  Clock clock;
  RecordingMusic music;
  Form2 f(clock, music);
  Form_Load(f);
  for (int i = 0; i < 7; ++i) Timer1_Timer(f);
  Command1_Click(f);
  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_EQ(music.calls.back(), "stop");
  EXPECT_TRUE(f.go_pressed);
  EXPECT_EQ(f.image1_left, 420) << "the face stays where it stopped";
  Form_Unload(f);
  EXPECT_EQ(music.calls.back(), "close");
}

TEST(Title, ASecondGameWindowKeepsOnlyTheBestScore) {
  RunMemory memory;
  {
    testing::TestWindow first;
    memory.hand_to(first.form);
    Form_Load(first.form);
    first.form.score = 370;
    first.form.niveau = 2;
    first.form.vies = 1;
    first.form.labyrinthe(2, 2) = 3;
    first.form.Text1.Text = "370";
    first.form.Text1.Enabled = true;
    accelerer(first.form);
    initialise_niveau(first.form);  // a level build raises the best score
    ASSERT_EQ(first.form.meilleur_score, 370);
    Form_Unload(first.form);
    memory.keep_from(first.form);
  }
  testing::TestWindow second;
  memory.hand_to(second.form);
  Form_Load(second.form);
  const Form1& f = second.form;
  EXPECT_EQ(f.meilleur_score, 370);
  EXPECT_EQ(f.score, 0);
  EXPECT_EQ(f.niveau, 0);
  EXPECT_EQ(f.vies, 3);
  EXPECT_EQ(f.labyrinthe(2, 2), gomme);
  EXPECT_EQ(f.Text1.Text, "");
  EXPECT_FALSE(f.Text1.Enabled);
  EXPECT_EQ(f.Timer2.Interval(), 250);
  EXPECT_FALSE(f.unloaded);
}

// The program core, from the title's load to the program's end, driven as a
// frontend drives it: inputs stamped with the frontend's clock.
class ProgramTest : public ::testing::Test, protected ProgramHost {
 protected:
  Surface& game_window_opened() override {
    ++opened;
    return surface;
  }
  void game_window_closed() override { ++closed; }
  // "load@0" of a line that starts {"t":0,"ev":"load",
  void game_event(std::string_view line) override {
    const std::size_t ev = line.find(R"("ev":")") + 6;
    events.push_back(std::string(line.substr(ev, line.find('"', ev) - ev)) + "@" +
                     std::string(line.substr(5, line.find(',') - 5)));
  }
  void replay_line(std::string_view line) override { lines.emplace_back(line); }
  const ProgramView& view() {
    program.take_changes();
    return program.view();
  }

  RecordingSurface surface{false};
  SilentDevice sound;
  RecordingMusic music;
  Program program{*this, sound, music, {.replay = true, .trace = true}};
  int opened = 0, closed = 0;
  std::vector<std::string> events, lines;
};

TEST_F(ProgramTest, TitleThenGoThenFrameCloseBackToAStillTitleThenEscapeEndsIt) {
  program.start(1000);
  EXPECT_EQ(view().window, Showing::title);
  EXPECT_EQ(program.next_wake(), 1200) << "the face's timer counts from the title's load";
  program.advance(1450);
  EXPECT_EQ(view().face_left, 60) << "one tick for all it missed";
  // Keys on the title: only a fresh Enter or space, not a comfort, is "GO !".
  for (const Input k : {Input::pressed(65), Input::pressed(key_enter, 1, true),
                        Input::pressed(key_enter, 1, false, true), Input::pressed(key_escape)})
    program.feed(1500, k);
  EXPECT_EQ(view().window, Showing::title);
  program.feed(1500, Input::from_pad(PadPress::left));
  EXPECT_EQ(view().window, Showing::title);
  program.feed(2000, Input::pressed(key_space));
  ASSERT_EQ(view().window, Showing::game);
  EXPECT_EQ(music.calls.back(), "stop");
  EXPECT_EQ(program.next_wake(), 2100) << "the game's clock counts from its load";
  program.feed(2050, Input::pressed(key_left));
  program.advance(2100);
  ASSERT_NE(program.game(), nullptr);
  const std::int32_t score = program.game()->score;
  EXPECT_GT(score, 0);
  program.feed(2150, Input::close);
  EXPECT_EQ(view().window, Showing::title);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(program.next_wake(), std::nullopt) << "the face stays still";
  EXPECT_EQ(view().face_left, 60);
  EXPECT_EQ(program.best_score(), 0) << "only a level build raises it";
  program.feed(3000, Input::go);
  EXPECT_EQ(program.game()->score, 0);
  program.feed(3000, Input::pressed(key_escape));
  EXPECT_TRUE(program.ended());
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(lines, (std::vector<std::string>{"load", "50 key 37", "100", "150 close", "load",
                                             "0 key 27"}));
}

TEST_F(ProgramTest, TheCcBoxHoldsTheTimersAndTheyFireOnceAfterIt) {
  program.open_game(0);
  program.advance(100);
  program.advance(200);
  program.feed(250, Input::cc);
  ASSERT_TRUE(view().box);
  EXPECT_EQ(view().box->title, "Un petit jeu sympa");
  EXPECT_EQ(events.back(), "Timer4@225") << "the ticks due before the click come first";
  EXPECT_EQ(program.next_wake(), std::nullopt);
  program.feed(300, Input::pressed(key_left));  // the box has the keys
  program.advance(300);
  const std::size_t before = events.size();
  program.feed(2000, Input::ok);
  program.advance(2000);
  EXPECT_FALSE(view().box);
  EXPECT_EQ(std::vector<std::string>(events.begin() + static_cast<long>(before), events.end()),
            (std::vector<std::string>{"Timer2@250", "Timer1@300", "Timer3@400", "Timer4@450"}))
      << "each timer once, the earliest due first";
  EXPECT_EQ(lines, (std::vector<std::string>{"load", "100", "200", "250 cc", "2000 ok"}));
}

TEST_F(ProgramTest, AtOneInstantLateTicksComeBeforeTheKeyAndTicksDueThenAfterIt) {
  program.open_game(0);
  program.feed(1100, Input::pressed(key_up));
  program.advance(1100);
  // The timers fell due before 1100: each fires once for all it missed, before the key.
  EXPECT_EQ(events, (std::vector<std::string>{"load@0", "Timer1@100", "Timer3@200", "Timer4@225",
                                              "Timer2@250", "key@1100"}));
  program.feed(1200, Input::pressed(key_down));
  program.advance(1200);
  const auto key = std::find(events.begin(), events.end(), "key@1200");
  ASSERT_NE(key, events.end());
  EXPECT_EQ(std::vector<std::string>(key, events.end()),
            (std::vector<std::string>{"key@1200", "Timer1@1200", "Timer3@1200"}))
      << "the ticks due at the key's own instant come after it";
}

TEST_F(ProgramTest, LosingTheFocusDropsTheRepeatsOfKeysHeldDown) {
  program.open_game(0);
  const std::size_t keys_before = events.size();
  program.feed(10, Input::pressed(key_left, 80));        // pressed: counts
  program.feed(20, Input::pressed(key_left, 80, true));  // its repeat counts
  program.feed(30, Input::pressed(key_up, 82, true));    // a repeat of a key not seen going down
  program.feed(35, Input::released(80));
  program.feed(40, Input::pressed(key_left, 80, true));  // a repeat after the key came up
  program.feed(50, Input::pressed(key_left, 80));
  program.feed(55, Input::focus_lost);
  program.feed(60, Input::pressed(key_left, 80, true));  // held through the loss of focus
  program.feed(70, Input::pressed(key_down, -1, true));  // a key with no place is never held back
  program.feed(80, Input::from_pad(PadPress::east));
  program.feed(90, Input::from_pad(PadPress::south));  // the title's button only
  std::vector<std::string> keys(events.begin() + static_cast<long>(keys_before), events.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"key@10", "key@20", "key@50", "key@70", "key@80"}));
  EXPECT_EQ(program.game()->dir_x, 0) << "the east button is the space bar";
}

TEST_F(ProgramTest, TheViewTellsWhatChangedSinceTheFrontendLastAsked) {
  const ViewChanges all{true, true, true, true, true, true};
  const struct {
    const char* what;
    std::function<void()> act;
    ViewChanges changed;
  } rows[] = {
      {"the title loads", [&] { program.start(0); }, all},
      {"nothing happened", [] {}, {}},
      {"the face slides", [&] { program.advance(200); }, {.face = true}},
      {"GO ! opens the game",
       [&] { program.feed(300, Input::pressed(key_enter)); },
       {.window = true}},
      {"a key, then the best-score timer shows both boxes",
       [&] {
         program.feed(400, Input::pressed(key_space));
         program.advance(5300);
       },
       {.score = true, .best = true}},
      {"CC asks for the box", [&] { program.feed(5400, Input::cc); }, {.box = true}},
      {"the box is closed", [&] { program.feed(6000, Input::ok); }, {.box = true}},
      {"the frame closed: back to the still title",
       [&] { program.feed(6100, Input::close); },
       {.window = true}},
  };
  for (const auto& row : rows) {
    row.act();
    EXPECT_EQ(program.take_changes(), row.changed) << row.what;
  }
  EXPECT_EQ(program.view().best, (TextBoxView{"0", true}));
  EXPECT_EQ(program.view().face_left, 60);
}

// The core plays a recorded run on its own clock: the frontend only wakes it.
TEST_F(ProgramTest, AReplayPlaysTheRunAgainAndOnlyItsEndReachesIt) {
  // Driven as a frontend drives it: each wake's inputs, then the wake itself.
  program.open_game(0);
  const std::function<void(std::int64_t)> inputs[] = {
      [&](std::int64_t t) { program.feed(t, Input::pressed(key_left)); }, [](std::int64_t) {},
      [&](std::int64_t t) { program.feed(t, Input::cc); },
      [&](std::int64_t t) { program.feed(t, Input::ok); }, [](std::int64_t) {}};
  std::int64_t t = 150;
  for (const auto& input : inputs) {
    input(t);
    program.advance(t);
    t += 700;
  }
  program.feed(t, Input::quit);
  std::string text(replay_header);
  for (const std::string& line : lines) text += "\n" + line;
  const std::vector<std::string> recorded = events;

  events.clear();
  Program replayed(*this, sound, music, {.trace = true});
  replayed.play_replay(500, parse_replay(text + "\n").steps);
  while (const std::optional<std::int64_t> at = replayed.next_wake()) {
    replayed.feed(*at, Input::pressed(key_down));  // the viewer's keys do not reach the game
    replayed.advance(*at);
    replayed.take_changes();
    EXPECT_FALSE(replayed.view().box) << "nobody is asked to close a replayed box";
  }
  EXPECT_TRUE(replayed.ended());
  EXPECT_EQ(events, recorded);

  Program stopped(*this, sound, music, {.trace = true});
  stopped.play_replay(0, parse_replay(text + "\n").steps);
  stopped.feed(10, Input::pressed(key_escape));
  EXPECT_TRUE(stopped.ended()) << "Escape ends a replay";
  EXPECT_EQ(stopped.next_wake(), std::nullopt);
}

}  // namespace
}  // namespace glouton
