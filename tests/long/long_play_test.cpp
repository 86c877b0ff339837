// Hours of simulated play by seeded key bots, every rule checked after every
// event; the games must get past level 8, where every chaser runs at 100 ms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "bot_game.h"

namespace glouton::bot {
namespace {

#ifndef GLOUTON_LONG_MINUTES
#define GLOUTON_LONG_MINUTES 40
#endif

// Simulated minutes per game: GLOUTON_LONG_MINUTES in the environment, else
// the build's default (smaller under the sanitizers).
std::int64_t minutes_per_game() {
  if (const char* v = std::getenv("GLOUTON_LONG_MINUTES")) {
    const long minutes = std::strtol(v, nullptr, 10);
    if (minutes > 0) return minutes;
  }
  return GLOUTON_LONG_MINUTES;
}

constexpr std::int64_t minute = 60 * 1000;

std::string broken_lines(const GameReport& r) {
  std::string out;
  for (const std::string& line : r.broken) out += "  " + line + "\n";
  return out;
}

void print(const char* what, const GameReport& r) {
  std::printf(
      "%s seed %u: %.1f min, %lld events, %d presses, level %d, %d levels cleared, "
      "%d captures, %d games over, best score %d\n",
      what, r.seed, static_cast<double>(r.simulated_ms) / minute, static_cast<long long>(r.events),
      r.presses, r.best_level, r.levels_cleared, r.captures, r.game_overs, r.best_score);
}

TEST(LongPlay, CarefulBotsPlayHoursAndReachTheFastestChasers) {
  const std::int64_t minutes = minutes_per_game();
  std::int64_t simulated = 0;
  int captures = 0, game_overs = 0, cleared = 0, best_level = 0, fastest = 0;
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    Style style;
    style.random_press_ms = 600 + 300 * static_cast<int>(seed);
    style.random_arrow_percent = 3 + static_cast<int>(seed);
    const GameReport r = play_bot_game(seed, style, minutes * minute);
    print("careful", r);
    EXPECT_TRUE(r.broken.empty()) << "seed " << seed << ":\n" << broken_lines(r);
    EXPECT_EQ(r.simulated_ms, minutes * minute) << "seed " << seed << ": the game stopped early";
    simulated += r.simulated_ms;
    captures += r.captures;
    game_overs += r.game_overs;
    cleared += r.levels_cleared;
    best_level = std::max(best_level, r.best_level);
    fastest += r.fastest_reached ? 1 : 0;
  }
  std::printf(
      "careful bots: %.2f simulated hours, %d levels cleared, best level %d, %d games "
      "at level 9+ with chasers at 100 ms, %d captures, %d games over\n",
      static_cast<double>(simulated) / (60 * minute), cleared, best_level, fastest, captures,
      game_overs);
  EXPECT_GE(fastest, 1) << "no game got past level 8 with every chaser timer at 100 ms";
  EXPECT_GE(best_level, 9);
}

TEST(LongPlay, CarelessBotsLoseLivesAndGamesWithEveryRuleHolding) {
  // No play-ahead, random turns and many random arrows: captures and games over come often.
  const std::int64_t minutes = 10;
  int captures = 0, game_overs = 0;
  for (std::uint32_t seed = 101; seed <= 102; ++seed) {
    Style style;
    style.look_ahead = false;
    style.keep_away = 1;
    style.blunder_percent = 15;
    style.random_press_ms = 300;
    style.random_arrow_percent = 40;
    const GameReport r = play_bot_game(seed, style, minutes * minute);
    print("careless", r);
    EXPECT_TRUE(r.broken.empty()) << "seed " << seed << ":\n" << broken_lines(r);
    captures += r.captures;
    game_overs += r.game_overs;
  }
  // Without these the capture and game-over paths would go unchecked.
  EXPECT_GT(captures, 0);
  EXPECT_GT(game_overs, 0);
}

TEST(LongPlay, SameSeedPlaysTheSameGame) {
  Style style;
  style.random_press_ms = 400;
  style.random_arrow_percent = 20;
  const GameReport a = play_bot_game(7, style, 4 * minute);
  const GameReport b = play_bot_game(7, style, 4 * minute);
  EXPECT_TRUE(a.broken.empty()) << broken_lines(a);
  EXPECT_EQ(a.events, b.events);
  EXPECT_EQ(a.presses, b.presses);
  EXPECT_EQ(a.captures, b.captures);
  EXPECT_EQ(a.levels_cleared, b.levels_cleared);
  EXPECT_EQ(a.best_score, b.best_score);
  EXPECT_GT(a.presses, 0);
  const GameReport other = play_bot_game(8, style, 4 * minute);
  EXPECT_NE(std::tie(a.events, a.presses), std::tie(other.events, other.presses))
      << "another seed plays another game";
}

}  // namespace
}  // namespace glouton::bot
