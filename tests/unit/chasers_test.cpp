// The chasers' route choices, target corners, capture test and drawing.
#include <gtest/gtest.h>

#include "chasers/tete.h"
#include "game/level.h"
#include "support/test_window.h"

namespace glouton {
namespace {

// A built level with the chasers moved out of the way of each other.
struct Chasers : ::testing::Test {
  testing::TestWindow w;
  Form1& f = w.form;

  void SetUp() override {
    f.vies = 3;
    initialise_niveau(f);
    // Park the two chasers not under test in the far corners of the maze.
    place(1, 2, 12);
    place(2, 14, 12);
    place(3, 14, 2);
    w.surface.take();
    f.MMControl1.take_log();
  }
  void place(int n, int x, int y) {
    Tete& t = f.tete(n);
    t.x = t.x_prec = x;
    t.y = t.y_prec = y;
    t.px = 480 * x;
    t.py = 480 * y;
    t.prete = true;
  }
  void glouton_at(int x, int y) {
    f.glouton_x = x;
    f.glouton_y = y;
    f.glouton_px = 480 * x;
    f.glouton_py = 480 * y;
  }
  std::pair<int, int> step_of(int n) {
    f.tete(n).prete = false;
    chercher_chemin(f, n);
    return {f.tete(n).dx, f.tete(n).dy};
  }
};

TEST_F(Chasers, RowFirstThenColumnThenWait) {
  // Row 12 is an open corridor; row 4 has pellets on columns 4..12.
  place(1, 4, 12);
  glouton_at(6, 12);
  EXPECT_EQ(step_of(1), std::pair(1, 0)) << "two columns right, the cell between free";
  place(1, 4, 4);
  glouton_at(5, 5);
  EXPECT_EQ(step_of(1), std::pair(1, 0)) << "diagonal: the row first";
  place(1, 4, 4);
  glouton_at(3, 5);  // left is column 3, a wall: the step goes down
  EXPECT_EQ(step_of(1), std::pair(0, 1));
  place(1, 4, 4);
  glouton_at(3, 3);  // left (3, 4) and up (4, 3) are walls
  EXPECT_EQ(step_of(1), std::pair(0, 0));
  EXPECT_TRUE(f.tete(1).prete) << "barred both ways: it waits, ready";
  EXPECT_EQ(f.tete(1).mode, 0) << "chaser 1 has no mode";
  place(1, 4, 10);
  glouton_at(4, 5);  // straight above in an open column
  EXPECT_EQ(step_of(1), std::pair(0, -1)) << "level on the row: the column step";
}

TEST_F(Chasers, OtherChasersBarTheCellsTheyLeaveAndEnter) {
  place(1, 4, 12);
  glouton_at(8, 12);
  place(2, 5, 12);  // standing on the next cell
  EXPECT_EQ(step_of(1), std::pair(0, 0));
  place(2, 6, 12);
  f.tete(2).x_prec = 5;  // leaving the next cell
  EXPECT_EQ(step_of(1), std::pair(0, 0));
  place(2, 6, 12);
  EXPECT_EQ(step_of(1), std::pair(1, 0)) << "a chaser two cells away bars nothing";
  glouton_at(5, 12);  // the glouton never bars a cell
  place(2, 14, 12);
  EXPECT_EQ(step_of(1), std::pair(1, 0));
}

TEST_F(Chasers, ModeSwitchesAndTargetCorners) {
  // Chaser 2 at column 5, row 10, barred both ways in mode 1.
  place(2, 5, 10);
  glouton_at(4, 11);
  place(1, 4, 10);  // bars the row step; below (5, 11) is a wall
  EXPECT_EQ(step_of(2), std::pair(0, 0));
  EXPECT_EQ(f.tete(2).mode, -1);
  EXPECT_EQ(std::pair(f.tete(2).cible_x, f.tete(2).cible_y), std::pair(14, 0));
  EXPECT_TRUE(f.tete(2).prete);
  place(1, 2, 12);
  EXPECT_EQ(step_of(2), std::pair(1, 0)) << "heads right, to its corner";

  place(3, 8, 3);
  f.tete(3).mode = 1;
  nouvelle_cible(f, 3);
  EXPECT_EQ(std::pair(f.tete(3).cible_x, f.tete(3).cible_y), std::pair(0, 12));
  // The halves are strict: column 7 and row 6 are left and top, 8 and 7 are not.
  place(3, 7, 6);
  nouvelle_cible(f, 3);
  EXPECT_EQ(std::pair(f.tete(3).cible_x, f.tete(3).cible_y), std::pair(14, 12));
  place(3, 8, 7);
  nouvelle_cible(f, 3);
  EXPECT_EQ(std::pair(f.tete(3).cible_x, f.tete(3).cible_y), std::pair(0, 0));

  // Mode -1 with target (14, 12), standing on column 14: down the column, then back to mode 1.
  place(3, 14, 10);
  f.tete(3).mode = -1;
  f.tete(3).cible_x = 14;
  f.tete(3).cible_y = 12;
  place(2, 2, 2);
  EXPECT_EQ(step_of(3), std::pair(0, 1));
  place(3, 14, 12);
  EXPECT_EQ(step_of(3), std::pair(0, 0));
  EXPECT_EQ(f.tete(3).mode, 1) << "barred at its corner, it hunts again";
}

TEST_F(Chasers, CaptureIsStrictlyWithin300OnBothAxes) {
  struct Case {
    int dx, dy;
    bool caught;
  };
  for (const Case c : {Case{240, 0, true}, Case{300, 0, false}, Case{0, 300, false},
                       Case{120, 120, true}, Case{-240, 240, true}, Case{299, -299, true}}) {
    testing::TestWindow tw;
    Form1& g = tw.form;
    g.vies = 3;
    initialise_niveau(g);
    Tete& t = g.tete(1);
    g.glouton_px = t.px + c.dx;
    g.glouton_py = t.py + c.dy;
    tw.surface.take();
    g.MMControl1.take_log();
    tete_Timer(g, 1);
    EXPECT_EQ(g.vies, c.caught ? 2 : 3) << c.dx << "," << c.dy;
    if (c.caught) {
      EXPECT_EQ(g.MMControl1.take_log(), (std::vector<int>{5, 4}));
      EXPECT_EQ(g.tete(1).x_prec, 0) << "no route search in the capture tick";
    }
  }
}

TEST_F(Chasers, AStepTakesFourTicksAndRepaintsTheTilesItCrosses) {
  // Chaser 1 on (4, 12), a pellet at (5, 12), glouton far to the right.
  place(1, 4, 12);
  glouton_at(13, 2);
  tete_Timer(f, 1);
  const Tete& t = f.tete(1);
  EXPECT_EQ(std::pair(t.x, t.x_prec), std::pair(5, 4)) << "the new cell is taken at once";
  EXPECT_FALSE(t.prete);
  std::vector<Paint> paints = w.surface.take();
  ASSERT_EQ(paints.size(), 3u);
  EXPECT_EQ(paints[0].picture, Picture::gomme) << "the cell left, from the grid";
  EXPECT_EQ(std::pair(paints[0].x, paints[0].y), std::pair(1920, 5760));
  EXPECT_EQ(paints[1].picture, Picture::gomme) << "the cell entered keeps its pellet";
  EXPECT_EQ(std::pair(paints[1].x, paints[1].y), std::pair(2400, 5760));
  EXPECT_EQ(paints[2].picture, Picture::tete1);
  EXPECT_EQ(std::pair(paints[2].x, paints[2].y), std::pair(2040, 5760));
  for (int tick = 2; tick <= 4; ++tick) tete_Timer(f, 1);
  EXPECT_EQ(std::pair(t.px, t.py), std::pair(2400, 5760));
  EXPECT_TRUE(t.prete);
  EXPECT_EQ(t.dessous, gomme) << "read on arrival";
  EXPECT_EQ(f.labyrinthe(12, 5), gomme) << "chasers eat nothing";
}

TEST_F(Chasers, RepaintRuleAndTheBonusCellFromLevelFourOn) {
  for (int level : {0, 3, 4, 7}) {
    f.niveau = level;
    repaint_tile(f, 8, 10, bonus);
    repaint_tile(f, 2, 2, mur);  // walls are never repainted by a chaser
    const std::vector<Paint> paints = w.surface.take();
    ASSERT_EQ(paints.size(), 1u);
    const Picture expected = level == 0   ? Picture::bonus1
                             : level == 3 ? Picture::bonus4
                                          : Picture::sol;
    EXPECT_EQ(paints[0].picture, expected) << "level " << level;
  }
}

TEST_F(Chasers, GloutonNearTheErasedTilesIsPaintedAgain) {
  place(1, 4, 12);
  glouton_at(6, 12);  // 960 twips to the right
  tete_Timer(f, 1);
  std::vector<Paint> paints = w.surface.take();
  ASSERT_EQ(paints.size(), 4u);
  EXPECT_EQ(paints[2].picture, Picture::glouton);
  EXPECT_EQ(std::pair(paints[2].x, paints[2].y), std::pair(2880, 5760));
  place(1, 4, 12);
  glouton_at(13, 12);
  f.glouton_px = 1920 + 1050;  // exactly 1050 away: not repainted
  tete_Timer(f, 1);
  paints = w.surface.take();
  EXPECT_EQ(paints.size(), 3u);
}

}  // namespace
}  // namespace glouton
