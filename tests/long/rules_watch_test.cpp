// The rules watch must name every broken rule: each case breaks one thing in a
// loaded window; real lost lives and a game over must pass.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/initialise_2.h"
#include "game/form_load.h"
#include "rules_watch.h"
#include "support/test_window.h"

namespace glouton::bot {
namespace {

// A loaded window whose load the watch has seen.
struct Loaded {
  testing::TestWindow w;
  Form1& f = w.form;
  RulesWatch watch;

  Loaded() {
    Form_Load(f);
    watch.check(f, {0, Event::load, 0, f.MMControl1.take_log()}, w.surface.take());
  }
  // The watch's lines after one more event, a chaser tick unless told.
  std::string next(std::vector<Paint> paints = {}, Event ev = Event::Timer2) {
    std::vector<Paint> painted = w.surface.take();
    painted.insert(painted.end(), paints.begin(), paints.end());
    watch.check(f, {100, ev, 0, f.MMControl1.take_log()}, painted);
    std::string lines;
    for (const std::string& line : watch.broken()) lines += line + "\n";
    return lines;
  }
};

TEST(RulesWatch, ALoadedWindowAndQuietTicksPass) {
  Loaded l;
  EXPECT_TRUE(l.watch.ok()) << l.next();
  EXPECT_EQ(l.next(), "");
  EXPECT_EQ(l.watch.events(), 2);
}

// Each row breaks one thing, by a change to the window or a paint of its
// event, and gives part of the line the watch must write.
using Change = void (*)(Form1&);
const std::pair<Change, const char*> broken_states[] = {
    {[](Form1& f) { f.labyrinthe(5, 5) = depart_glouton; }, "cell (5, 5) holds code 4"},
    {[](Form1& f) { f.labyrinthe(1, 5) = sol; }, "outer wall is open at (5, 1)"},
    {[](Form1& f) { f.labyrinthe(4, 4) = bonus; }, "a bonus at (4, 4)"},
    {[](Form1& f) { f.labyrinthe(4, 4) = sol; }, "gommes_mangees is 0 with 88 pellets left"},
    {[](Form1& f) { f.nb_gommes = 90; }, "nb_gommes is 90"},
    {[](Form1& f) { f.tete(1).x = 6, f.tete(1).px = 6 * 480; }, "chaser 1 on (6, 8)"},
    {[](Form1& f) { f.tete(2).x = f.tete(1).x, f.tete(2).px = f.tete(1).px; },
     "chasers 1 and 2 both on (7, 8)"},
    {[](Form1& f) { f.glouton_px += 120; }, "ready on (9, 2)"},
    {[](Form1& f) {  // half way, but drawn elsewhere
       f.glouton_pret = false;
       f.glouton_x_prec = 10, f.glouton_y_prec = 2, f.pas_x = -1;
       f.glouton_px = 10 * 480 - 100;
     },
     "drawn at (4700, 960) after -1 sub-steps"},
    {[](Form1& f) {  // jumping two cells
       Tete& t = f.tete(3);
       t.prete = false;
       t.x_prec = 8, t.y_prec = 6, t.pas_y = 1, t.py = 6 * 480 + 120;
     },
     "chaser 3 moving from (8, 6) to (8, 8)"},
    {[](Form1& f) { f.pas_x = 5; }, "has pas 5, 0"},
    {[](Form1& f) { f.vies = 4; }, "vies is 4"},
    {[](Form1& f) { f.niveau = -1; }, "niveau is -1"},
    {[](Form1& f) { f.Timer2.setInterval(230); }, "Timer2.Interval is 230 at level 0, not 250"},
    {[](Form1& f) { f.score = 30, f.Text1.Text = "30"; }, "score went from 0 to 30"},
    {[](Form1& f) { f.score = 10; }, "Text1 shows '' for a score of 10"},
    {[](Form1& f) { f.meilleur_score = -1; }, "best score went from 0 to -1"},
    {[](Form1& f) { f.niveau = 1; }, "niveau went from 0 to 1"},
    {[](Form1& f) { f.labyrinthe(4, 4) = sol, f.labyrinthe(4, 5) = sol, f.gommes_mangees = 2; },
     "gommes_mangees went from 0 to 2"},
    {[](Form1& f) { f.vies = 2; }, "lives slot 3 shows an icon with 2 lives"},
};
const std::pair<Paint, const char*> broken_paints[] = {
    {{Picture::mur, 0, 480}, "mur at (0, 480), outside the maze"},
    {{Picture::sol, 500, 480}, "sol at (500, 480), outside"},
    {{Picture::gomme, 480, 6720}, "gomme at (480, 6720), outside"},
    {{Picture::mur, 720, 0}, "mur at (720, 0) in the lives strip"},
    {{Picture::glouton, 2160, 0}, "in the lives strip"},
    {{Picture::glouton, 720, 0}, "a lives icon outside a level build"},
    {{Picture::sol, 1680, 0}, "a lives icon erased with no life lost"},
};

TEST(RulesWatch, NamesEachBrokenRule) {
  auto expect_line = [](Loaded& l, std::vector<Paint> paints, const char* expected) {
    const std::string lines = l.next(std::move(paints));
    EXPECT_NE(lines.find(expected), std::string::npos) << "no '" << expected << "' in:\n" << lines;
  };
  for (const auto& [change, expected] : broken_states) {
    Loaded l;
    change(l.f);
    expect_line(l, {}, expected);
  }
  for (const auto& [paint, expected] : broken_paints) {
    Loaded l;
    expect_line(l, {paint}, expected);
  }
}

TEST(RulesWatch, LostLivesAndAGameOverPass) {
  Loaded l;
  for (int capture = 1; capture <= 4; ++capture) {
    SCOPED_TRACE(capture);
    l.f.vies -= 1;
    initialise_2(l.f);
    EXPECT_EQ(l.next(), "");
  }
  EXPECT_EQ(l.f.vies, 3) << "the fourth capture ended the game";
  EXPECT_EQ(l.watch.captures(), 4);
  EXPECT_EQ(l.watch.game_overs(), 1);
}

TEST(RulesWatch, AnEventBeforeTheLoadIsCaught) {
  testing::TestWindow w;
  RulesWatch watch;
  watch.check(w.form, {0, Event::Timer1, 0, {}}, {});
  ASSERT_FALSE(watch.ok());
  EXPECT_EQ(watch.broken().front(), "t=0 Timer1: an event before the load");
}

}  // namespace
}  // namespace glouton::bot
