// The key bot's tools: maze distances, its plain choice near a chaser, and
// the sandbox, whose play-ahead must match what the window then does.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "game/form_load.h"
#include "game/level.h"
#include "key_bot.h"
#include "sandbox.h"
#include "support/test_window.h"

namespace glouton::bot {
namespace {

struct Built : ::testing::Test {
  testing::TestWindow w;
  Form1& f = w.form;
  void SetUp() override {
    f.vies = 3;
    initialise_niveau(f);
  }
  // Chaser n standing on (x, y); the others parked far apart on row 12.
  void chaser_at(int n, int x, int y) {
    for (int m = 1; m <= 3; ++m) {
      Tete& t = f.tete(m);
      t.x = m == n ? x : 2 + 6 * (m - 1);
      t.y = m == n ? y : 12;
    }
  }
};

TEST_F(Built, DistancesFollowTheCorridors) {
  const Distances d = distances_from(f.labyrinthe, 9, 2);
  auto at = [&](int x, int y) { return d[static_cast<std::size_t>(cell_index(x, y))]; };
  EXPECT_EQ(at(9, 2), 0);
  EXPECT_EQ(at(8, 4), 3) << "left, then down the gap in row 3";
  EXPECT_EQ(at(8, 8), 7) << "down into the chasers' box";
  EXPECT_EQ(at(9, 3), unreachable) << "a wall";
  EXPECT_EQ(at(2, 12), 7 + 10) << "to the far corner, round the left side";

  CellFlags avoid{};
  avoid[static_cast<std::size_t>(cell_index(8, 2))] = true;
  const Distances around = distances_from(f.labyrinthe, 9, 2, &avoid);
  EXPECT_EQ(around[static_cast<std::size_t>(cell_index(8, 2))], unreachable);
  EXPECT_EQ(around[static_cast<std::size_t>(cell_index(8, 4))], 5 + 5 + 2 + 3 + 4)
      << "right to column 14, down to row 7, left to column 12, up to row 4, left";
}

TEST_F(Built, FoodStepsPreferTheNearestPellet) {
  EXPECT_EQ(step_to_food(f.labyrinthe, 9, 2), (Move{-1, 0}))
      << "both sides are one step: left first";
  f.labyrinthe(2, 8) = sol;
  f.labyrinthe(2, 7) = sol;
  EXPECT_EQ(step_to_food(f.labyrinthe, 9, 2), (Move{1, 0}));
  for (int c = 2; c <= 14; ++c) f.labyrinthe(2, c) = sol;
  f.labyrinthe(3, 8) = sol;
  EXPECT_EQ(step_to_food(f.labyrinthe, 9, 2), (Move{-1, 0})) << "towards (8, 4), three steps";

  // Nothing left to eat: no step.
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c)
      if (f.labyrinthe(r, c) != mur) f.labyrinthe(r, c) = sol;
  EXPECT_FALSE(step_to_food(f.labyrinthe, 9, 2).has_value());
}

TEST_F(Built, PlainChoiceKeepsAwayFromChasers) {
  // Glouton in the top-left corner, a chaser two cells to its right: the
  // pellet on its right is too close to the chaser, the one below is not.
  f.glouton_x = 2, f.glouton_y = 2;
  chaser_at(1, 4, 2);
  EXPECT_EQ(plain_choice(f, 2), (Move{0, 1}));
  EXPECT_EQ(plain_choice(f, 0), (Move{1, 0})) << "with no distance kept, the nearest pellet";

  // Cornered in a dead end with no food: it moves away from the chaser.
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c)
      if (f.labyrinthe(r, c) != mur) f.labyrinthe(r, c) = sol;
  f.glouton_x = 2, f.glouton_y = 4;
  chaser_at(2, 2, 6);
  EXPECT_EQ(plain_choice(f, 2), (Move{0, -1}));
}

// Plays `form` on its own clock up to `until`, the way the simulator does.
std::int64_t play_to(Form1& form, Clock& clock, EventOrder& session, std::int64_t until) {
  std::int64_t first_capture = -1;
  while (true) {
    const auto next = session.next_due();
    if (!next || *next > until) break;
    clock.now = *next;
    const int lives = form.vies;
    session.run_due_timers();
    if (form.vies != lives && first_capture < 0) first_capture = clock.now;
  }
  return first_capture;
}

// A loaded window whose glouton was sent left along the top corridor at 50 ms.
struct SentLeft {
  testing::TestWindow w;
  EventOrder session{w.form, w.clock};
  SentLeft() {
    session.load();
    w.clock.now = 50;
    session.key(37);
  }
  std::int64_t play_to(std::int64_t until) { return bot::play_to(w.form, w.clock, session, until); }
};

TEST(Sandbox, PlaysAheadExactlyWhatTheWindowThenDoes) {
  SentLeft window;
  window.play_to(1730);
  Sandbox sandbox;
  sandbox.copy_from(window.w.form, 1730);
  const std::int64_t ahead = sandbox.run(60000, {});
  ASSERT_TRUE(sandbox.captured()) << "a glouton that stops at the wall is caught in the end";
  const GameState caught = sandbox.form();

  const std::int64_t capture = window.play_to(60000);
  EXPECT_EQ(ahead, capture);
  EXPECT_GT(capture, 1730);
  // The window, played on to the same instant, is where the sandbox stopped.
  SentLeft again;
  again.play_to(capture);
  const Form1& f = again.w.form;
  EXPECT_EQ(std::tie(f.vies, f.score, f.gommes_mangees),
            std::tie(caught.vies, caught.score, caught.gommes_mangees));
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(std::pair(f.tete(n).x, f.tete(n).y), std::pair(caught.tete(n).x, caught.tete(n).y))
        << n;
}

TEST(Sandbox, CopiesTimersDueWhenTheWindowsAre) {
  testing::TestWindow w;
  EventOrder session(w.form, w.clock);
  session.load();
  play_to(w.form, w.clock, session, 777);
  Sandbox sandbox;
  sandbox.copy_from(w.form, 777);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(sandbox.form().timers()[i]->due(), w.form.timers()[i]->due()) << "Timer" << i + 1;
    EXPECT_EQ(sandbox.form().timers()[i]->Interval(), w.form.timers()[i]->Interval());
    EXPECT_EQ(sandbox.form().timers()[i]->Enabled(), w.form.timers()[i]->Enabled());
  }
}

}  // namespace
}  // namespace glouton::bot
