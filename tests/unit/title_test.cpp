// The title window's logic: the sliding face, "GO !", and what a second game
// window of the same run keeps.
#include <gtest/gtest.h>

#include "game/form_load.h"
#include "game/level.h"
#include "support/test_window.h"
#include "title/form2.h"
#include "title/program_flow.h"
#include "title/run_memory.h"

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

// The program's windows, from the title's load to the program's end.
class Flow : public ::testing::Test {
 protected:
  Clock clock;
  RecordingMusic music;
  Form2 title{clock, music};
  ProgramFlow flow{title};

  // "GO !" as the title window handles it.
  void go() {
    Command1_Click(title);
    flow.title_handled();
  }
};

TEST_F(Flow, TheTitleLoadsFirstWithItsMusicAndGoOpensTheGame) {
  EXPECT_EQ(flow.showing(), Showing::nothing);
  EXPECT_FALSE(flow.ended());
  flow.start();
  EXPECT_EQ(flow.showing(), Showing::title);
  EXPECT_EQ(music.calls, std::vector<std::string>{"play gloutonone/musique-bis.mid"});
  flow.start();  // loads once only
  EXPECT_EQ(music.calls.size(), 1u);
  flow.title_handled();  // an event that was not "GO !"
  EXPECT_EQ(flow.showing(), Showing::title);
  go();
  EXPECT_EQ(flow.showing(), Showing::game);
  EXPECT_FALSE(title.go_pressed) << "taken, so that a later GO asks again";
  EXPECT_FALSE(title.Timer1.Enabled());
  EXPECT_EQ(music.calls.back(), "stop");
}

TEST_F(Flow, ClosingTheGameFrameComesBackToAStillSilentTitleAndGoOpensAnother) {
  flow.start();
  for (int i = 0; i < 5; ++i) Timer1_Timer(title);
  go();
  flow.game_ended(GameEnd::frame_closed);
  EXPECT_EQ(flow.showing(), Showing::title);
  EXPECT_FALSE(flow.ended());
  EXPECT_FALSE(title.Timer1.Enabled()) << "the face stays where it stopped";
  EXPECT_EQ(title.image1_left, 300);
  EXPECT_EQ(music.calls, (std::vector<std::string>{"play gloutonone/musique-bis.mid", "stop"}))
      << "no music again, and the title is not unloaded";
  flow.game_ended(GameEnd::escape);  // no game window is open: nothing to end
  EXPECT_EQ(flow.showing(), Showing::title);
  go();
  EXPECT_EQ(flow.showing(), Showing::game);
}

TEST_F(Flow, EscapeEndsTheProgramWithoutUnloadingTheTitle) {
  flow.start();
  go();
  flow.game_ended(GameEnd::escape);
  EXPECT_TRUE(flow.ended());
  EXPECT_EQ(flow.showing(), Showing::nothing);
  EXPECT_EQ(music.calls.back(), "stop");
}

TEST_F(Flow, TheSessionsEndDuringAGameUnloadsTheTitleToo) {
  flow.start();
  go();
  flow.game_ended(GameEnd::session_end);
  EXPECT_TRUE(flow.ended());
  EXPECT_EQ(music.calls.back(), "close");
}

TEST_F(Flow, ClosingTheTitleUnloadsItAndEndsTheProgram) {
  flow.start();
  flow.title_closed();
  EXPECT_TRUE(flow.ended());
  EXPECT_EQ(music.calls.back(), "close");
  go();  // nothing shows once the program has ended
  EXPECT_EQ(flow.showing(), Showing::nothing);
}

TEST_F(Flow, TheTitleTakesNoInputWhileTheGameIsOpen) {
  flow.start();
  go();
  flow.title_closed();  // cannot be closed: it is not shown
  EXPECT_EQ(flow.showing(), Showing::game);
  EXPECT_EQ(music.calls.back(), "stop");
  go();
  EXPECT_EQ(flow.showing(), Showing::game);
}

}  // namespace
}  // namespace glouton
