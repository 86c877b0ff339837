// The glouton's step on a prepared maze: the bonus, the level end, the erase
// near a chaser. Handlers are called directly, as the timers would.
#include <gtest/gtest.h>

#include "game/form_load.h"
#include "player/glouton.h"
#include "support/test_window.h"

namespace glouton {
namespace {

struct GloutonStep : ::testing::Test {
  testing::TestWindow w;
  Form1& f = w.form;

  void SetUp() override {
    Form_Load(f);
    w.surface.take();
    f.MMControl1.take_log();
  }
  // Puts the glouton standing on cell (x, y).
  void stand_on(int x, int y) {
    f.glouton_x = x;
    f.glouton_y = y;
    f.glouton_px = 480 * x;
    f.glouton_py = 480 * y;
    f.glouton_pret = true;
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) Timer1_Timer(f);
  }
};

TEST_F(GloutonStep, TheBonusScoresItsValueButIsNoPellet) {
  stand_on(7, 10);
  Form_KeyDown(f, key_right);
  ticks(1);
  EXPECT_EQ(f.score, 50);
  EXPECT_EQ(f.Text1.Text, "50");
  EXPECT_EQ(f.gommes_mangees, 0);
  EXPECT_EQ(f.labyrinthe(10, 8), sol);
  EXPECT_EQ(f.MMControl1.take_log(), std::vector<int>{2});
  f.niveau = 2;  // the value is the level's, as the build left it
  f.valeur_bonus = 70;
  stand_on(7, 10);
  f.labyrinthe(10, 8) = bonus;
  ticks(1);
  EXPECT_EQ(f.score, 120);
}

TEST_F(GloutonStep, TheLevelEndsOnTheFirstReadyTickAfterTheLastPellet) {
  f.gommes_mangees = 88;
  f.Timer2.setInterval(120);  // as after four level ends: the floor comes next
  Form_KeyDown(f, key_left);
  ticks(1);  // into (8, 2): the 89th pellet
  EXPECT_EQ(f.gommes_mangees, 89);
  ticks(3);  // arrives
  EXPECT_EQ(f.niveau, 0) << "no level end while moving into the last cell";
  EXPECT_EQ(f.MMControl1.take_log(), std::vector<int>{1});
  w.surface.take();
  ticks(1);
  EXPECT_EQ(f.MMControl1.take_log(), (std::vector<int>{3, 4}));
  EXPECT_EQ(f.niveau, 1);
  EXPECT_EQ(f.gommes_mangees, 0);
  EXPECT_EQ(f.nb_gommes, 89);
  EXPECT_EQ(f.labyrinthe(2, 8), gomme) << "the pellets are back";
  EXPECT_EQ(f.Timer2.Interval(), 100);
  EXPECT_EQ(f.Timer3.Interval(), 180);
  EXPECT_EQ(f.Timer4.Interval(), 205);
  EXPECT_EQ(f.valeur_bonus, 60);
  EXPECT_EQ(std::pair(f.glouton_x, f.glouton_y), std::pair(9, 2));
  EXPECT_EQ(std::pair(f.dir_x, f.dir_y), std::pair(0, 0));
  const std::size_t build_paints = w.surface.take().size();
  EXPECT_EQ(build_paints, 3u + 195u + 4u) << "the tick paints only the build";
  ticks(5);
  EXPECT_TRUE(w.surface.take().empty()) << "the glouton waits for a key";
  EXPECT_EQ(f.glouton_x, 9);
}

TEST_F(GloutonStep, EraseRepaintsChasersStrictlyWithin1050) {
  stand_on(5, 12);
  Tete& near = f.tete(1);
  near.px = 480 * 5 + 960;  // 960 away on both axes
  near.py = 480 * 12 - 960;
  Tete& far = f.tete(2);
  far.px = 480 * 5 - 1080;
  far.py = 480 * 12;
  Form_KeyDown(f, key_right);
  ticks(1);
  const std::vector<Paint> paints = w.surface.take();
  ASSERT_EQ(paints.size(), 3u);
  EXPECT_EQ(paints[0], (Paint{Picture::sol, 2400, 5760}));
  EXPECT_EQ(paints[1], (Paint{Picture::tete1, near.px, near.py}));
  EXPECT_EQ(paints[2], (Paint{Picture::glouton, 2520, 5760}));
}

TEST_F(GloutonStep, StepUpFromRowFourPaintsFourPositions) {
  stand_on(2, 4);
  Form_KeyDown(f, key_up);
  std::vector<int> ys;
  for (int i = 0; i < 4; ++i) {
    ticks(1);
    ys.push_back(f.glouton_py);
  }
  EXPECT_EQ(ys, (std::vector<int>{1800, 1680, 1560, 1440}));
  EXPECT_TRUE(f.glouton_pret);
}

TEST_F(GloutonStep, ModifiersAndOtherKeysOnlyMarkAKey) {
  for (int code : {16, 17, 18, 65, 0, 65535}) {
    f.touche = false;
    f.dir_x = 1;
    Form_KeyDown(f, code);
    EXPECT_TRUE(f.touche) << code;
    EXPECT_EQ(f.dir_x, 1) << code;
  }
  Form_KeyDown(f, key_escape);
  EXPECT_TRUE(f.unloaded);
  EXPECT_TRUE(f.end_program);
  EXPECT_EQ(w.sound.calls.back(), "close") << "the unload closes the sound device";
}

}  // namespace
}  // namespace glouton
