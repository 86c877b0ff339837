// The key bot's choices: food by breadth-first search, distance from the
// chasers, and a play-ahead that keeps only the choices that stay free.
#include "key_bot.h"

#include <algorithm>

#include "player/glouton.h"

namespace glouton::bot {

namespace {

constexpr int pellets_in_level = 89;

struct Chasers {
  std::array<Distances, 3> from{};  // steps from each chaser's cell
};

Chasers chaser_distances(const GameState& s) {
  Chasers c;
  for (std::size_t i = 0; i < 3; ++i)
    c.from[i] = distances_from(s.labyrinthe, s.tetes[i].x, s.tetes[i].y);
  return c;
}

// Steps from the nearest chaser to cell (x, y); a large number when none can reach it.
int nearest_chaser(const Chasers& c, int x, int y) {
  int nearest = cell_count;
  for (const Distances& d : c.from) {
    const int v = d[static_cast<std::size_t>(cell_index(x, y))];
    if (v != unreachable) nearest = std::min(nearest, v);
  }
  return nearest;
}

int key_of(Move m) {
  if (m.dx < 0) return key_left;
  if (m.dx > 0) return key_right;
  if (m.dy < 0) return key_up;
  if (m.dy > 0) return key_down;
  return key_space;
}

bool affects_direction(int code) {
  return code == key_space || (code >= key_left && code <= key_down);
}

}  // namespace

Move plain_choice(const GameState& s, int keep_away) {
  const Chasers chasers = chaser_distances(s);
  CellFlags avoid{};
  for (int i = 0; i < cell_count; ++i)
    avoid[static_cast<std::size_t>(i)] =
        nearest_chaser(chasers, i % columns + 1, i / columns + 1) <= keep_away;
  if (const auto step = step_to_food(s.labyrinthe, s.glouton_x, s.glouton_y, &avoid)) return *step;

  // No safe way to food: the open neighbour (or this cell) farthest from the chasers.
  Move best{};
  int best_distance = nearest_chaser(chasers, s.glouton_x, s.glouton_y);
  for (const Move& m : moves) {
    const int x = s.glouton_x + m.dx, y = s.glouton_y + m.dy;
    if (!is_open(s.labyrinthe, x, y)) continue;
    const int d = nearest_chaser(chasers, x, y);
    if (d > best_distance) best = m, best_distance = d;
  }
  return best;
}

KeyBot::KeyBot(std::uint32_t seed, Style style) : rng_(seed), style_(style) {
  next_random_ = style_.random_press_ms > 0 ? style_.random_press_ms : -1;
}

void KeyBot::plan(std::int64_t t, int code, bool steer) {
  auto at = std::upper_bound(planned_.begin(), planned_.end(), t,
                             [](std::int64_t v, const KeyEvent& e) { return v < e.t; });
  const auto i = at - planned_.begin();
  planned_.insert(at, KeyEvent{t, code});
  steering_.insert(steering_.begin() + i, steer);
}

int KeyBot::random_code() {
  std::uniform_int_distribution<int> percent(0, 99);
  if (percent(rng_) < style_.random_arrow_percent) {
    constexpr std::array<int, 5> steer_keys = {key_space, key_left, key_up, key_right, key_down};
    return steer_keys[std::uniform_int_distribution<std::size_t>(0, 4)(rng_)];
  }
  switch (percent(rng_) % 4) {
    case 0:
      return std::uniform_int_distribution<int>('A', 'Z')(rng_);
    case 1:
      return std::uniform_int_distribution<int>('0', '9')(rng_);
    case 2: {
      const int code = std::uniform_int_distribution<int>(0, 255)(rng_);
      return code == key_escape ? 16 : code;
    }
    default: {
      // Any code the window may receive, except Escape, which ends the game.
      const int code = std::uniform_int_distribution<int>(0, 65535)(rng_);
      return code == key_escape ? key_escape + 1 : code;
    }
  }
}

void KeyBot::observe(const Form1& f, std::int64_t now) {
  if (f.unloaded) return;
  if (next_random_ >= 0 && now >= next_random_) {
    plan(now + std::uniform_int_distribution<std::int64_t>(1, 60)(rng_), random_code(), false);
    next_random_ =
        now + std::uniform_int_distribution<std::int64_t>(1, 2 * style_.random_press_ms)(rng_);
  }
  if (const std::array<int, 3> food = {f.niveau, f.gommes_mangees, f.vies}; food != food_state_) {
    food_state_ = food;
    last_food_ = now;
  }
  if (!f.glouton_pret) return;

  const std::array<std::int64_t, 5> situation = {f.Timer1.due(), f.glouton_x, f.glouton_y, f.vies,
                                                 f.niveau};
  if (!replan_ && situation == chosen_for_) return;
  replan_ = false;
  chosen_for_ = situation;

  const Move m = choose(f, now);
  // Drop the steering key planned before: this choice replaces it.
  for (std::size_t i = planned_.size(); i-- > 0;)
    if (steering_[i]) {
      planned_.erase(planned_.begin() + static_cast<std::ptrdiff_t>(i));
      steering_.erase(steering_.begin() + static_cast<std::ptrdiff_t>(i));
    }
  if (Move{f.dir_x, f.dir_y} == m) return;
  // Any time up to the tick that reads the direction: keys of an instant come first.
  const std::int64_t last = std::max(f.Timer1.due(), now + 1);
  plan(std::uniform_int_distribution<std::int64_t>(now + 1, last)(rng_), key_of(m), true);
}

bool KeyBot::Rollout::better_than(const Rollout& o, bool greedy) const {
  if (greedy && eaten != o.eaten) return eaten > o.eaten;
  if (free != o.free) return free;
  if (!free) return ended > o.ended;
  if (eaten != o.eaten) return eaten > o.eaten;
  return food_distance < o.food_distance;
}

Move KeyBot::choose(const Form1& f, std::int64_t now) {
  if (style_.blunder_percent > 0 &&
      std::uniform_int_distribution<int>(0, 99)(rng_) < style_.blunder_percent) {
    route_.clear();
    return continue_with(f, {0, 100});
  }
  if (!style_.look_ahead) return plain_choice(f, style_.keep_away);

  const std::int64_t stalled = now - last_food_;
  const bool slow = stalled >= style_.stalled_ms;
  const bool greedy = stalled >= style_.desperate_ms;
  const std::int64_t horizon = slow ? 2 * style_.horizon_ms : style_.horizon_ms;
  const int noisy = slow ? 4 * style_.noisy_rollouts : style_.noisy_rollouts;

  // The route found before, played again from here: the game is deterministic,
  // so it still does what it did unless a random press changed something.
  Rollout best = play_ahead(f, now, horizon, route_, {style_.keep_away, 0});
  auto consider = [&](const std::vector<Move>& given, Continuation c) {
    Rollout r = play_ahead(f, now, horizon, given, c);
    if (r.better_than(best, greedy)) best = std::move(r);
  };
  auto good_enough = [&] { return best.free && best.eaten > 0; };
  if (!good_enough()) consider({}, {0, 0});
  if (!good_enough()) {
    std::vector<Move> firsts = {Move{}};
    for (const Move& m : moves)
      if (is_open(f.labyrinthe, f.glouton_x + m.dx, f.glouton_y + m.dy)) firsts.push_back(m);
    for (const Move& m : firsts)
      for (const int keep_away : {0, style_.keep_away, -1}) consider({m}, {keep_away, 0});
    for (int i = 0; i < noisy && !good_enough(); ++i)
      consider({}, {std::uniform_int_distribution<int>(0, style_.keep_away)(rng_), 35});
  }
  if (greedy && best.eaten == 0) {
    route_.clear();
    return plain_choice(f, 0);
  }
  const Move chosen = best.moves.empty() ? Move{} : best.moves.front();
  route_.assign(best.moves.begin() + (best.moves.empty() ? 0 : 1), best.moves.end());
  return chosen;
}

Move KeyBot::continue_with(const Form1& w, Continuation c) {
  if (c.noise > 0 && std::uniform_int_distribution<int>(0, 99)(rng_) < c.noise) {
    std::vector<Move> open = {Move{}};
    for (const Move& m : moves)
      if (is_open(w.labyrinthe, w.glouton_x + m.dx, w.glouton_y + m.dy)) open.push_back(m);
    return open[std::uniform_int_distribution<std::size_t>(0, open.size() - 1)(rng_)];
  }
  return c.keep_away < 0 ? Move{} : plain_choice(w, c.keep_away);
}

KeyBot::Rollout KeyBot::play_ahead(const Form1& f, std::int64_t now, std::int64_t horizon,
                                   const std::vector<Move>& given, Continuation c) {
  sandbox_.copy_from(f, now);
  Form1& s = sandbox_.form();
  Rollout r;
  // One choice for every Timer1 tick that finds the glouton standing on a
  // cell, made at the instant the real bot makes it.
  std::int64_t chosen_for = -1;
  auto steer = [&](Form1& w) {
    if (!w.glouton_pret || w.Timer1.due() == chosen_for) return;
    chosen_for = w.Timer1.due();
    const Move m = r.moves.size() < given.size() ? given[r.moves.size()] : continue_with(w, c);
    r.moves.push_back(m);
    w.dir_x = m.dx;
    w.dir_y = m.dy;
  };
  const int level = f.niveau, eaten_before = f.gommes_mangees;
  steer(s);
  r.ended = sandbox_.run(now + horizon, steer);
  r.free = !sandbox_.captured();
  r.eaten = s.niveau != level ? pellets_in_level : s.gommes_mangees - eaten_before;
  const Distances d = distances_from(s.labyrinthe, s.glouton_x, s.glouton_y);
  r.food_distance = cell_count;
  for (int i = 0; i < cell_count; ++i) {
    const int code = s.labyrinthe(i / columns + 1, i % columns + 1);
    const int v = d[static_cast<std::size_t>(i)];
    if (v != unreachable && (code == gomme || code == bonus))
      r.food_distance = std::min(r.food_distance, v);
  }
  return r;
}

std::optional<std::int64_t> KeyBot::next_press() const {
  if (planned_.empty()) return std::nullopt;
  return planned_.front().t;
}

std::vector<int> KeyBot::take_presses(std::int64_t now) {
  std::vector<int> due;
  while (!planned_.empty() && planned_.front().t <= now) {
    const int code = planned_.front().code;
    if (!steering_.front() && affects_direction(code)) replan_ = true;
    due.push_back(code);
    planned_.erase(planned_.begin());
    steering_.erase(steering_.begin());
  }
  presses_ += static_cast<int>(due.size());
  return due;
}

}  // namespace glouton::bot
