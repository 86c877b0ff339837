// The loop of a bot game: the simulator's order of events, with the bot
// looking at the window after every instant.
#include "bot_game.h"

#include <algorithm>
#include <limits>

#include "rules_watch.h"
#include "sim/simulation.h"

namespace glouton::bot {

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
  report.look_aheads = player.look_aheads();
  report.captures = watch.captures();
  report.game_overs = watch.game_overs();
  report.levels_cleared = watch.levels_cleared();
  report.best_level = watch.best_level();
  report.fastest_reached = watch.fastest_reached();
  report.best_score = form.meilleur_score;
  report.broken.insert(report.broken.end(), watch.broken().begin(), watch.broken().end());
  return report;
}

}  // namespace glouton::bot
