// The level build: the grid it leaves, what it paints and in which order,
// the bonus of each level and the best score.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "game/form_load.h"
#include "game/level.h"
#include "support/test_window.h"

namespace glouton {
namespace {

std::map<int, int> count_codes(const Grid& g) {
  std::map<int, int> counts;
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) counts[g(r, c)] += 1;
  return counts;
}

TEST(Level, BuildLeavesTheGridCountsAndStartCells) {
  testing::TestWindow w;
  w.form.labyrinthe(5, 5) = 3;  // something eaten before: the build brings it back
  w.form.nb_gommes = 12;
  initialise_niveau(w.form);
  const Grid& g = w.form.labyrinthe;
  EXPECT_EQ(count_codes(g), (std::map<int, int>{{mur, 95}, {gomme, 89}, {sol, 10}, {bonus, 1}}));
  EXPECT_EQ(w.form.nb_gommes, 89);
  for (int c = 1; c <= columns; ++c) {
    EXPECT_EQ(g(1, c), mur);
    EXPECT_EQ(g(rows, c), mur);
  }
  for (int r = 1; r <= rows; ++r) {
    EXPECT_EQ(g(r, 1), mur);
    EXPECT_EQ(g(r, columns), mur);
  }
  EXPECT_EQ(g(10, 8), bonus);
  for (auto [r, c] : {std::pair{2, 9}, {8, 7}, {8, 8}, {8, 9}}) EXPECT_EQ(g(r, c), sol);

  const Form1& f = w.form;
  EXPECT_EQ(std::pair(f.glouton_x, f.glouton_y), std::pair(9, 2));
  EXPECT_EQ(std::pair(f.glouton_px, f.glouton_py), std::pair(4320, 960));
  EXPECT_EQ(std::pair(f.tete(1).px, f.tete(1).x), std::pair(3360, 7));
  EXPECT_EQ(std::pair(f.tete(2).px, f.tete(2).x), std::pair(4320, 9));
  EXPECT_EQ(std::pair(f.tete(3).px, f.tete(3).x), std::pair(3840, 8));
  for (const Tete& t : f.tetes) {
    EXPECT_EQ(t.py, 3840);
    EXPECT_EQ(t.y, 8);
    EXPECT_TRUE(t.prete);
    EXPECT_EQ(t.dessous, sol);
  }
  EXPECT_EQ(f.tete(2).mode, 1);
  EXPECT_EQ(f.tete(3).mode, 1);
  EXPECT_TRUE(f.glouton_pret);
}

TEST(Level, BuildPaintsLivesThenTheMazeRowByRowWithFloorUnderStartCells) {
  testing::TestWindow w;
  w.form.vies = 3;
  initialise_niveau(w.form);
  const std::vector<Paint> paints = w.surface.take();
  ASSERT_EQ(paints.size(), 3u + 195u + 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(paints[i].picture, Picture::glouton);
    EXPECT_EQ(paints[i].x, 720 + 480 * i);
    EXPECT_EQ(paints[i].y, 0);
  }
  EXPECT_EQ(paints[3].picture, Picture::mur);
  EXPECT_EQ(std::pair(paints[3].x, paints[3].y), std::pair(480, 480));
  EXPECT_EQ(paints[3 + 15].picture, Picture::mur) << "row 2 starts with a wall";
  EXPECT_EQ(paints[3 + 16].picture, Picture::gomme);
  EXPECT_EQ(std::pair(paints[3 + 16].x, paints[3 + 16].y), std::pair(960, 960));
  // Each start cell: floor first, then its sprite at the same corner.
  const Paint starts[] = {{Picture::glouton, 4320, 960},
                          {Picture::tete1, 3360, 3840},
                          {Picture::tete3, 3840, 3840},
                          {Picture::tete2, 4320, 3840}};
  for (const Paint& start : starts) {
    const auto sprite = std::find_if(paints.begin() + 3, paints.end(), [&](const Paint& p) {
      return p.picture == start.picture && p.x == start.x && p.y == start.y;
    });
    ASSERT_NE(sprite, paints.end()) << "no sprite at " << start.x << "," << start.y;
    const Paint& floor = *(sprite - 1);
    EXPECT_EQ(floor.picture, Picture::sol) << start.x << "," << start.y;
    EXPECT_EQ(std::pair(floor.x, floor.y), std::pair(start.x, start.y));
  }
  EXPECT_EQ(paints[3 + 15 + 9].picture, Picture::glouton) << "row 2, column 9";
  EXPECT_EQ(paints.back().picture, Picture::mur);
  EXPECT_EQ(std::pair(paints.back().x, paints.back().y), std::pair(7200, 6240));
  EXPECT_EQ(w.form.MMControl1.take_log(), std::vector<int>{4}) << "cue 4 ends the build";
}

TEST(Level, LivesIconsFollowTheLivesInReserve) {
  for (int lives : {0, 2, -1}) {
    testing::TestWindow w;
    w.form.vies = lives;
    initialise_niveau(w.form);
    std::vector<int> icons;
    for (const Paint& p : w.surface.take())
      if (p.picture == Picture::glouton && p.y == 0) icons.push_back(p.x);
    const std::vector<int> expected = lives == 2 ? std::vector<int>{720, 1200} : std::vector<int>{};
    EXPECT_EQ(icons, expected) << lives << " lives";
  }
}

TEST(Level, BonusPictureAndValueByLevel) {
  const std::pair<Picture, int> expected[] = {
      {Picture::bonus1, 50}, {Picture::bonus2, 60}, {Picture::bonus3, 70}, {Picture::bonus4, 100}};
  testing::TestWindow w;
  for (int level = 0; level <= 5; ++level) {
    w.form.niveau = level;
    initialise_niveau(w.form);
    Picture at_bonus_cell = Picture::mur;
    for (const Paint& p : w.surface.take())
      if (p.x == 8 * 480 && p.y == 10 * 480) at_bonus_cell = p.picture;
    EXPECT_EQ(w.form.labyrinthe(10, 8), bonus);
    if (level <= 3) {
      EXPECT_EQ(at_bonus_cell, expected[level].first) << "level " << level;
      EXPECT_EQ(w.form.valeur_bonus, expected[level].second);
    } else {
      EXPECT_EQ(at_bonus_cell, Picture::sol) << "level " << level;
      EXPECT_EQ(w.form.valeur_bonus, 100) << "the value of level 3 stays";
    }
  }
}

TEST(Level, BuildRaisesTheBestScoreOnlyWhenBeaten) {
  testing::TestWindow w;
  initialise_niveau(w.form);
  EXPECT_EQ(w.form.meilleur_score, 0) << "a first build keeps 0";
  w.form.score = 120;
  initialise_niveau(w.form);
  EXPECT_EQ(w.form.meilleur_score, 120);
  w.form.score = 90;
  initialise_niveau(w.form);
  EXPECT_EQ(w.form.meilleur_score, 120);
  w.form.score = 32767;
  initialise_niveau(w.form);
  EXPECT_EQ(w.form.meilleur_score, 32767);
  w.form.score = 40000;  // past 16 bits: held whole, neither clamped nor wrapped
  initialise_niveau(w.form);
  EXPECT_EQ(w.form.meilleur_score, 40000);
}

TEST(Level, BuildClearsDirectionAndKeySeenButNotTheStepFields) {
  testing::TestWindow w;
  Form1& f = w.form;
  f.dir_x = 1;
  f.touche = true;
  f.glouton_x_prec = 4;
  f.pas_x = 3;
  f.tete(2).dx = -1;
  f.tete(2).pas_y = 2;
  f.tete(2).mode = -1;
  initialise_niveau(f);
  EXPECT_EQ(std::pair(f.dir_x, f.dir_y), std::pair(0, 0));
  EXPECT_FALSE(f.touche);
  EXPECT_EQ(f.glouton_x_prec, 4);
  EXPECT_EQ(f.pas_x, 3);
  EXPECT_EQ(f.tete(2).dx, -1);
  EXPECT_EQ(f.tete(2).pas_y, 2);
  EXPECT_EQ(f.tete(2).mode, 1);
}

TEST(NewGame, SpeedUpTableAndItsFloor) {
  testing::TestWindow w;
  nouvelle_partie(w.form);
  EXPECT_EQ(w.form.vies, 3);
  const int expected[9][3] = {{250, 200, 225}, {230, 180, 205}, {210, 160, 185},
                              {190, 140, 165}, {170, 120, 145}, {150, 100, 125},
                              {130, 100, 105}, {110, 100, 100}, {100, 100, 100}};
  for (int k = 0; k < 12; ++k) {
    const int* row = expected[std::min(k, 8)];
    EXPECT_EQ(w.form.Timer2.Interval(), row[0]) << k << " level ends";
    EXPECT_EQ(w.form.Timer3.Interval(), row[1]) << k << " level ends";
    EXPECT_EQ(w.form.Timer4.Interval(), row[2]) << k << " level ends";
    accelerer(w.form);
  }
  nouvelle_partie(w.form);
  EXPECT_EQ(w.form.Timer2.Interval(), 250);
  EXPECT_EQ(w.form.Timer3.Interval(), 200);
  EXPECT_EQ(w.form.Timer4.Interval(), 225);
}

TEST(NewGame, BestScoreBoxWaitsForAKey) {
  testing::TestWindow w;
  w.form.meilleur_score = 340;
  Timer5_Timer(w.form);
  EXPECT_FALSE(w.form.Text1.Enabled);
  EXPECT_FALSE(w.form.Text3.Enabled);
  EXPECT_EQ(w.form.Text3.Text, "");
  w.form.touche = true;
  Timer5_Timer(w.form);
  EXPECT_TRUE(w.form.Text1.Enabled);
  EXPECT_TRUE(w.form.Text3.Enabled);
  EXPECT_EQ(w.form.Text3.Text, "340");
  EXPECT_EQ(w.form.Text1.Text, "") << "the score box is only switched on";
}

}  // namespace
}  // namespace glouton
