// Hours of simulated play by seeded key bots, every rule checked after every
// event; the games must get past level 8, where every chaser runs at 100 ms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>

#include "key_bot.h"
#include "rules_watch.h"
#include "sim/simulation.h"

namespace glouton::bot {
namespace {

struct GameReport {
  std::uint32_t seed = 0;
  std::int64_t simulated_ms = 0;  // the time of the last handled instant
  std::int64_t events = 0;
  int presses = 0;
  int captures = 0;
  int game_overs = 0;
  int levels_cleared = 0;
  int best_level = 0;
  bool fastest_reached = false;  // level 9 or more with every chaser timer at 100 ms
  std::int32_t best_score = 0;
  std::vector<std::string> broken;  // rules broken, empty when all held
};

// Loads a window at 0 and lets the bot play until `until` ms, on a virtual
// clock in the simulator's order of events, the rules watch checking every
// event; stops at the first event that broke a rule.
GameReport play_bot_game(std::uint32_t seed, const Style& style, std::int64_t until) {
  Clock clock;
  RecordingSurface surface(true);
  SilentDevice sound;
  NoDialogs dialogs;
  Form1 form(clock, surface, sound, dialogs);
  RulesWatch watch;
  KeyBot player(seed, style);
  GameReport report;
  EventOrder session(form, clock,
                     [&](const EventRecord& record) { watch.check(form, record, surface.take()); });

  clock.now = 0;
  session.load();
  player.observe(form, 0);
  constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();
  while (!session.ended() && watch.ok()) {
    const std::int64_t t =
        std::min(player.next_press().value_or(never), session.next_due().value_or(never));
    if (t == never || t > until) break;
    if (t < clock.now) {
      report.broken.push_back("the bot planned a press at " + std::to_string(t) + ", before " +
                              std::to_string(clock.now));
      break;
    }
    clock.now = t;
    for (const int code : player.take_presses(t)) session.key(code);
    session.run_due_timers();
    player.observe(form, t);
  }

  report.seed = seed;
  report.simulated_ms = clock.now;
  report.events = watch.events();
  report.presses = player.presses();
  report.captures = watch.captures();
  report.game_overs = watch.game_overs();
  report.levels_cleared = watch.levels_cleared();
  report.best_level = watch.best_level();
  report.fastest_reached = watch.fastest_reached();
  report.best_score = form.meilleur_score;
  report.broken.insert(report.broken.end(), watch.broken().begin(), watch.broken().end());
  return report;
}

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
