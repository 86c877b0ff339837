#include "sim/summary.h"

#include <cstdio>
#include <optional>

#include "program/trace.h"
#include "sim/simulation.h"

namespace glouton {

namespace {

constexpr std::uint64_t fnv_offset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t fnv_prime = 0x100000001b3ULL;

void mix(std::uint64_t& h, unsigned char byte) {
  h ^= byte;
  h *= fnv_prime;
}

}  // namespace

std::uint64_t final_state_hash(std::string_view quiet_line, const Form1& form) {
  std::uint64_t h = fnv_offset;
  for (const char ch : quiet_line) mix(h, static_cast<unsigned char>(ch));
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) mix(h, static_cast<unsigned char>(form.labyrinthe(r, c)));
  return h;
}

ReplaySummary summarize_replay(const std::vector<ReplayStep>& steps) {
  Simulation sim;
  ReplaySummary summary;
  int level = 0;
  std::optional<EventRecord> last;
  const Simulation::Listener listener = [&](const Form1& f, const EventRecord& record,
                                            std::vector<Paint>&&) {
    // Levels cleared: every rise of the level within a game window's game.
    if (record.ev != Event::load && f.niveau > level) summary.levels += f.niveau - level;
    level = f.niveau;
    last = record;
  };
  summary.time = sim.replay(steps, listener);
  // A replay of no game window (its header alone) sums up to nothing.
  if (!sim.window_opened()) return summary;
  const Form1& f = sim.form();
  std::string line;
  if (last) append_trace_line(line, f, *last);
  summary.score = f.score;
  summary.best = f.meilleur_score;
  summary.lives = f.vies;
  for (const ReplayStep& step : steps) summary.keys += step.input == Input::key ? 1 : 0;
  summary.hash = final_state_hash(line, f);
  return summary;
}

std::string summary_line(const ReplaySummary& s) {
  char line[256];
  std::snprintf(line, sizeof line,
                "{\"score\":%d,\"best\":%d,\"levels\":%d,\"lives\":%d,\"time\":%lld,\"keys\":%d,"
                "\"hash\":\"fnv1a64:%016llx\"}\n",
                static_cast<int>(s.score), static_cast<int>(s.best), s.levels, s.lives,
                static_cast<long long>(s.time), s.keys, static_cast<unsigned long long>(s.hash));
  return line;
}

}  // namespace glouton
