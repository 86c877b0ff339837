// Whole games on the simulator's virtual clock, from short key scripts.
#include <gtest/gtest.h>

#include "support/test_window.h"

namespace glouton {
namespace {

using testing::find;
using testing::play;
using testing::Step;

constexpr int left = 37, up = 38, right = 39, space = 32;

const Step& at(const std::vector<Step>& steps, std::int64_t t, Event ev) {
  const Step* s = find(steps, t, ev);
  if (!s)
    throw std::runtime_error("no " + std::string(event_name(ev)) + " at " + std::to_string(t));
  return *s;
}

TEST(Glouton, RunsFourSubStepsPerTileAndTurnsOnTheNextTile) {
  // From (9, 2) left to column 5 (four tiles, ticks 100..1600), then right.
  const auto steps = play({{50, left}, {1650, right}}, 2000);
  const Step& first = at(steps, 100, Event::Timer1);
  EXPECT_EQ(first.paints,
            (std::vector<Paint>{{Picture::sol, 4320, 960}, {Picture::glouton, 4200, 960}}))
      << "an erase and draw pair, no chaser near";
  EXPECT_EQ(first.state.glouton_x, 8) << "the new cell is taken when the step starts";
  const Step& arrived = at(steps, 1600, Event::Timer1);
  EXPECT_EQ(arrived.state.glouton_px, 2400);
  EXPECT_TRUE(arrived.state.glouton_pret);
  EXPECT_EQ(arrived.state.score, 40);

  const Step& back = at(steps, 1700, Event::Timer1);
  EXPECT_TRUE(back.painted(Picture::glouton, 2520, 960));
  EXPECT_TRUE(back.record.cues.empty()) << "the cell was eaten already";
  EXPECT_TRUE(at(steps, 2000, Event::Timer1).painted(Picture::glouton, 2880, 960));
  EXPECT_TRUE(at(steps, 2000, Event::Timer1).state.glouton_pret);
}

TEST(Glouton, StopsBeforeAWallAndKeepsTheDirection) {
  const auto steps = play({{50, up}}, 1000);
  for (const Step& s : steps) {
    if (s.record.ev != Event::Timer1) continue;
    EXPECT_TRUE(s.paints.empty()) << "a glouton that cannot move is not redrawn, t=" << s.record.t;
    EXPECT_EQ(s.state.glouton_x, 9);
    EXPECT_EQ(s.state.glouton_y, 2);
  }
  EXPECT_EQ(steps.back().state.dir_y, -1);

  // Right from (9, 2): five tiles to column 14, then it stands still.
  const auto run = play({{50, right}}, 3000);
  EXPECT_EQ(at(run, 2000, Event::Timer1).state.glouton_px, 14 * 480);
  for (std::int64_t t = 2100; t <= 3000; t += 100) {
    const Step& s = at(run, t, Event::Timer1);
    EXPECT_TRUE(s.paints.empty());
    EXPECT_EQ(s.state.glouton_x, 14);
    EXPECT_EQ(s.state.dir_x, 1);
  }
}

TEST(Glouton, OppositeArrowOrSpaceMidStepFinishTheStepFirst) {
  const auto turned = play({{50, left}, {250, right}}, 600);
  EXPECT_EQ(at(turned, 400, Event::Timer1).state.glouton_px, 3840);
  EXPECT_EQ(at(turned, 500, Event::Timer1).state.glouton_px, 3960);
  EXPECT_EQ(at(turned, 500, Event::Timer1).state.glouton_x, 9);

  const auto stopped = play({{50, left}, {250, space}}, 1000);
  EXPECT_EQ(at(stopped, 400, Event::Timer1).state.glouton_px, 3840);
  for (std::int64_t t = 500; t <= 1000; t += 100) {
    EXPECT_TRUE(at(stopped, t, Event::Timer1).paints.empty());
    EXPECT_EQ(at(stopped, t, Event::Timer1).state.glouton_x, 8);
  }
}

TEST(Glouton, EatingAPelletScoresBeepsAndEmptiesTheCell) {
  const auto steps = play({{50, left}}, 100);
  const Step& s = steps.back();
  EXPECT_EQ(s.record.cues, std::vector<int>{1});
  EXPECT_EQ(s.state.score, 10);
  EXPECT_EQ(s.text1, "10");
  EXPECT_EQ(s.state.gommes_mangees, 1);
  EXPECT_EQ(s.state.labyrinthe(2, 8), 3);
}

TEST(Glouton, AnyKeyIsSeenAndTheBestScoreBoxWaitsForIt) {
  const auto idle = play({}, 5000);
  EXPECT_FALSE(at(idle, 5000, Event::Timer5).boxes);
  EXPECT_EQ(at(idle, 5000, Event::Timer5).text3, "");

  const auto letter = play({{100, 65}}, 5000);
  const Step& key = at(letter, 100, Event::key);
  EXPECT_TRUE(key.state.touche);
  EXPECT_EQ(key.state.dir_x, 0) << "a letter does not steer";
  const Step& box = at(letter, 5000, Event::Timer5);
  EXPECT_TRUE(box.boxes);
  EXPECT_EQ(box.text3, "0");
  EXPECT_EQ(box.state.glouton_x, 9);
}

TEST(Glouton, EscapeEndsTheRunAfterItsOwnEvent) {
  const auto steps = play({{50, left}, {250, 27}, {300, right}}, 5000);
  EXPECT_EQ(steps.back().record.ev, Event::key);
  EXPECT_EQ(steps.back().record.key, 27);
  EXPECT_EQ(steps.back().record.t, 250);
}

TEST(Game, FourCapturesEndAGameAndTheBestScoreKeepsItsScore) {
  // The glouton eats three pellets and waits; the chasers come for it.
  const auto steps = play({{50, left}, {1000, space}}, 70000);
  std::vector<const Step*> captures;
  for (const Step& s : steps)
    if (!s.record.cues.empty() && (s.record.cues.front() == 5 || s.record.cues.front() == 6))
      captures.push_back(&s);
  ASSERT_GE(captures.size(), 4u);
  for (int i = 0; i < 3; ++i) {
    const Step& s = *captures[static_cast<std::size_t>(i)];
    EXPECT_EQ(s.record.cues, (std::vector<int>{5, 4}));
    EXPECT_EQ(s.state.vies, 2 - i);
    EXPECT_EQ(s.state.score, 30) << "a lost life keeps the score";
    EXPECT_TRUE(s.painted(Picture::sol, 240 + (3 - i) * 480, 0)) << "the lost life's icon";
    EXPECT_EQ(s.state.glouton_x, 9);
    EXPECT_EQ(s.state.labyrinthe(2, 8), 3) << "eaten pellets stay eaten";
    for (const Tete& t : s.state.tetes) EXPECT_TRUE(t.prete);
  }
  const Step& over = *captures[3];
  EXPECT_EQ(over.record.cues, (std::vector<int>{6, 4}));
  EXPECT_EQ(over.state.vies, 3);
  EXPECT_EQ(over.state.niveau, 0);
  EXPECT_EQ(over.state.score, 0);
  EXPECT_EQ(over.state.meilleur_score, 30);
  EXPECT_EQ(over.text1, "30") << "the score box keeps the old score";
  EXPECT_EQ(over.state.labyrinthe(2, 8), 0) << "a new game brings the pellets back";
  EXPECT_EQ(over.intervals, (std::array<int, 3>{250, 200, 225}));
}

}  // namespace
}  // namespace glouton
