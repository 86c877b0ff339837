// The checks of the rules watch, grid first, then counters, movers and paints.
#include "rules_watch.h"

#include <algorithm>
#include <cstdlib>

#include "game/level.h"

namespace glouton::bot {

namespace {

constexpr int tile = 480;
constexpr int sub = 120;
constexpr int maze_right = columns * tile, maze_bottom = rows * tile;
constexpr int bonus_row = 10, bonus_column = 8;

bool has_cue(const EventRecord& r, int cue) {
  return std::find(r.cues.begin(), r.cues.end(), cue) != r.cues.end();
}

std::string cell_text(int x, int y) {
  std::string text = "(";
  text.append(std::to_string(x)).append(", ").append(std::to_string(y)).append(")");
  return text;
}

// The lives strip slot of a paint at (x, 0), or -1.
int strip_slot(int x) {
  for (int i = 0; i < 3; ++i)
    if (x == 240 + (i + 1) * tile) return i;
  return -1;
}

}  // namespace

void RulesWatch::fail(std::string what) {
  constexpr std::size_t most = 20;
  if (broken_.size() >= most) return;
  broken_.push_back("t=" + std::to_string(record_->t) + " " + std::string(event_name(record_->ev)) +
                    ": " + what);
}

void RulesWatch::check(const Form1& f, const EventRecord& record,
                       const std::vector<Paint>& paints) {
  record_ = &record;
  ++events_;
  const bool game_over = has_cue(record, 6);
  const bool lost = has_cue(record, 5);
  const bool cleared = has_cue(record, 3);
  const bool built = record.ev == Event::load || game_over || cleared;
  if (!loaded_ && record.ev != Event::load) fail("an event before the load");
  loaded_ = true;

  check_grid(f);
  check_counters(f, built, game_over, cleared);
  check_movers(f);
  check_paints(f, paints, built, lost);

  captures_ += (lost || game_over) ? 1 : 0;
  game_overs_ += game_over ? 1 : 0;
  levels_cleared_ += cleared ? 1 : 0;
  best_level_ = std::max(best_level_, f.niveau);
  if (f.niveau >= 9 && f.Timer2.Interval() == 100 && f.Timer3.Interval() == 100 &&
      f.Timer4.Interval() == 100)
    fastest_reached_ = true;
  score_ = f.score;
  best_ = f.meilleur_score;
  eaten_ = f.gommes_mangees;
  level_ = f.niveau;
}

void RulesWatch::check_grid(const Form1& f) {
  int pellets = 0;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      const int code = f.labyrinthe(r, c);
      const bool ring = r == 1 || r == rows || c == 1 || c == columns;
      if (code != gomme && code != mur && code != sol && code != bonus)
        fail("cell " + cell_text(c, r) + " holds code " + std::to_string(code));
      if (ring && code != mur) fail("the outer wall is open at " + cell_text(c, r));
      if (code == bonus && (r != bonus_row || c != bonus_column))
        fail("a bonus at " + cell_text(c, r));
      pellets += code == gomme ? 1 : 0;
    }
  }
  if (f.nb_gommes != pellets_per_level) fail("nb_gommes is " + std::to_string(f.nb_gommes));
  if (f.gommes_mangees < 0 || f.gommes_mangees > pellets_per_level ||
      f.gommes_mangees != pellets_per_level - pellets)
    fail("gommes_mangees is " + std::to_string(f.gommes_mangees) + " with " +
         std::to_string(pellets) + " pellets left");
}

void RulesWatch::check_counters(const Form1& f, bool built, bool game_over, bool cleared) {
  if (f.vies < 0 || f.vies > 3) fail("vies is " + std::to_string(f.vies));
  if (f.niveau < 0) fail("niveau is " + std::to_string(f.niveau));
  const std::array<int, 3> intervals = {f.Timer2.Interval(), f.Timer3.Interval(),
                                        f.Timer4.Interval()};
  for (std::size_t i = 0; i < 3; ++i) {
    const int expected = std::max(first_intervals[i] - 20 * f.niveau, 100);
    if (intervals[i] != expected)
      fail("Timer" + std::to_string(i + 2) + ".Interval is " + std::to_string(intervals[i]) +
           " at level " + std::to_string(f.niveau) + ", not " + std::to_string(expected));
  }
  if (record_->ev == Event::load) return;

  // The score: a pellet, the bonus, or back to 0 when a game is over.
  const std::int32_t gained = f.score - score_;
  if (game_over ? f.score != 0 : (gained != 0 && gained != 10 && gained != f.valeur_bonus))
    fail("score went from " + std::to_string(score_) + " to " + std::to_string(f.score));
  if (gained > 0 && f.Text1.Text != std::to_string(f.score))
    fail("Text1 shows '" + f.Text1.Text + "' for a score of " + std::to_string(f.score));
  if (f.meilleur_score < best_ || (built && f.meilleur_score < score_))
    fail("best score went from " + std::to_string(best_) + " to " +
         std::to_string(f.meilleur_score) + " after a score of " + std::to_string(score_));

  // The level: one more when cleared, back to 0 when a game is over.
  const int expected_level = game_over ? 0 : level_ + (cleared ? 1 : 0);
  if (f.niveau != expected_level)
    fail("niveau went from " + std::to_string(level_) + " to " + std::to_string(f.niveau));
  const int eaten = f.gommes_mangees - eaten_;
  if (built ? f.gommes_mangees != 0 : (eaten != 0 && eaten != 1))
    fail("gommes_mangees went from " + std::to_string(eaten_) + " to " +
         std::to_string(f.gommes_mangees));
}

void RulesWatch::check_movers(const Form1& f) {
  auto on_open_cell = [&](const std::string& who, int x, int y) {
    if (x < 1 || x > columns || y < 1 || y > rows || f.labyrinthe(y, x) == mur)
      fail(who + " on " + cell_text(x, y));
  };
  // Ready: on the tile of its cell. Moving: between the cell left and the
  // next one, one sub-step per tick.
  auto drawn = [&](const std::string& who, bool ready, int x, int y, int x_prec, int y_prec,
                   int pas_x, int pas_y, int px, int py) {
    if (std::abs(pas_x) > 4 || std::abs(pas_y) > 4)
      fail(who + " has pas " + std::to_string(pas_x) + ", " + std::to_string(pas_y));
    if (px < tile || px > maze_right || py < tile || py > maze_bottom)
      fail(who + " drawn at " + cell_text(px, py) + ", outside the maze");
    if (ready) {
      if (px != tile * x || py != tile * y)
        fail(who + " ready on " + cell_text(x, y) + " but drawn at " + cell_text(px, py));
      return;
    }
    const int dx = x - x_prec, dy = y - y_prec;
    if (std::abs(dx) + std::abs(dy) != 1)
      fail(who + " moving from " + cell_text(x_prec, y_prec) + " to " + cell_text(x, y));
    else if (std::abs(pas_x + pas_y) < 1 || std::abs(pas_x + pas_y) > 3 ||
             px != tile * x_prec + sub * pas_x || py != tile * y_prec + sub * pas_y)
      fail(who + " drawn at " + cell_text(px, py) + " after " + std::to_string(pas_x + pas_y) +
           " sub-steps from " + cell_text(x_prec, y_prec));
  };

  on_open_cell("the glouton", f.glouton_x, f.glouton_y);
  if (f.glouton_x_prec != 0 || f.glouton_y_prec != 0)
    on_open_cell("the glouton's last cell", f.glouton_x_prec, f.glouton_y_prec);
  drawn("the glouton", f.glouton_pret, f.glouton_x, f.glouton_y, f.glouton_x_prec, f.glouton_y_prec,
        f.pas_x, f.pas_y, f.glouton_px, f.glouton_py);
  for (int n = 1; n <= 3; ++n) {
    const Tete& t = f.tete(n);
    const std::string who = "chaser " + std::to_string(n);
    on_open_cell(who, t.x, t.y);
    if (t.x_prec != 0 || t.y_prec != 0) on_open_cell(who + "'s last cell", t.x_prec, t.y_prec);
    drawn(who, t.prete, t.x, t.y, t.x_prec, t.y_prec, t.pas_x, t.pas_y, t.px, t.py);
    for (int m = n + 1; m <= 3; ++m)
      if (f.tete(m).x == t.x && f.tete(m).y == t.y)
        fail("chasers " + std::to_string(n) + " and " + std::to_string(m) + " both on " +
             cell_text(t.x, t.y));
  }
}

void RulesWatch::check_paints(const Form1& f, const std::vector<Paint>& paints, bool built,
                              bool lost) {
  int icons = 0;
  for (const Paint& p : paints) {
    const std::string what = std::string(picture_name(p.picture)) + " at " + cell_text(p.x, p.y);
    if (p.y == 0) {
      const int slot = strip_slot(p.x);
      if (slot < 0 || (p.picture != Picture::glouton && p.picture != Picture::sol)) {
        fail(what + " in the lives strip");
        continue;
      }
      strip_[static_cast<std::size_t>(slot)] = p.picture;
      if (p.picture == Picture::glouton) {
        ++icons;
        if (!built) fail(what + ": a lives icon outside a level build");
      } else if (!lost) {
        fail(what + ": a lives icon erased with no life lost");
      }
      continue;
    }
    if (p.x < tile || p.x > maze_right || p.y < tile || p.y > maze_bottom || p.x % sub != 0 ||
        p.y % sub != 0)
      fail(what + ", outside the maze or off the sub-step grid");
  }
  if (built && icons != f.vies)
    fail("a level build painted " + std::to_string(icons) + " lives icons for " +
         std::to_string(f.vies) + " lives");
  for (int i = 0; i < 3; ++i) {
    const bool shown = strip_[static_cast<std::size_t>(i)] == Picture::glouton;
    if (shown != (i < f.vies))
      fail("lives slot " + std::to_string(i + 1) + (shown ? " shows" : " does not show") +
           " an icon with " + std::to_string(f.vies) + " lives");
  }
}

}  // namespace glouton::bot
