// A seeded player for long games: it looks at the window after every instant,
// seeks pellets, keeps away from the chasers, and now and then presses keys at random.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "game/form1.h"
#include "maze_paths.h"
#include "sandbox.h"
#include "sim/key_script.h"

namespace glouton::bot {

struct Style {
  bool look_ahead = true;          // plays choices ahead in a sandbox before taking one
  std::int64_t horizon_ms = 3600;  // how far ahead
  int noisy_rollouts = 6;          // play-aheads with random turns, when the plain ones fail
  int keep_away = 2;               // steps from a chaser that the path to food avoids
  // With no pellet eaten for this long, look twice as far with four times the
  // noisy play-aheads; after `desperate_ms`, make for the food even at the cost
  // of a life: chasers and glouton can lock into a dance that nothing else ends.
  std::int64_t stalled_ms = 15000;
  std::int64_t desperate_ms = 60000;
  int random_press_ms = 1500;    // mean time between random presses
  int random_arrow_percent = 5;  // share of random presses that are arrows or space
  int blunder_percent = 0;       // share of choices made at random, for a careless bot
};

// The bot's choice for a glouton standing on a cell, without playing ahead:
// food first, by a path that keeps `keep_away` steps from the chasers; with
// no such path, the neighbour cell (or staying) farthest from them.
Move plain_choice(const GameState& s, int keep_away);

class KeyBot {
 public:
  KeyBot(std::uint32_t seed, Style style);

  // Looks at the window after the events of instant `now` and plans presses.
  void observe(const Form1& f, std::int64_t now);
  // When the next planned press is due, if any.
  std::optional<std::int64_t> next_press() const;
  // The presses due at `now`, in the order they were planned.
  std::vector<int> take_presses(std::int64_t now);

  int presses() const { return presses_; }

 private:
  // How the glouton goes on after the moves given: the plain choice with
  // `keep_away` (standing still when negative), turning at random `noise`% of the time.
  struct Continuation {
    int keep_away = 0;
    int noise = 0;
  };
  // What playing ahead showed, and the moves the glouton made, one per choice.
  struct Rollout {
    bool free = false;       // no capture within the horizon
    std::int64_t ended = 0;  // when the play-ahead stopped
    int eaten = 0;           // pellets eaten, a cleared level counting as all of them
    int food_distance = 0;   // steps from the glouton to the nearest food at the end
    std::vector<Move> moves;
    // Free first, then more food; `greedy` puts food first.
    bool better_than(const Rollout& o, bool greedy) const;
  };

  Move choose(const Form1& f, std::int64_t now);
  Rollout play_ahead(const Form1& f, std::int64_t now, std::int64_t horizon,
                     const std::vector<Move>& given, Continuation c);
  Move continue_with(const Form1& w, Continuation c);
  void plan(std::int64_t t, int code, bool steer);
  int random_code();

  std::mt19937 rng_;
  Style style_;
  Sandbox sandbox_;
  std::vector<KeyEvent> planned_;  // in time order
  std::vector<bool> steering_;     // per planned press: the bot's own steering key
  std::int64_t next_random_ = 0;
  bool replan_ = true;  // a random press may have changed the direction
  // What the last choice was made for: the Timer1 tick it is for, and where
  // the glouton stood in which life and level.
  std::array<std::int64_t, 5> chosen_for_{};
  std::int64_t last_food_ = 0;       // when a pellet was last eaten, a level built or a life lost
  std::array<int, 3> food_state_{};  // level, pellets eaten and lives, to see them change
  std::vector<Move> route_;  // the moves after the one just chosen, from the best play-ahead
  int presses_ = 0;
};

}  // namespace glouton::bot
