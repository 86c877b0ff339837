#include "sim/simulation.h"

#include <algorithm>
#include <limits>

namespace glouton {

Simulation::Simulation(bool record_paints, std::function<void(std::string_view)> replay_line,
                       draw::GamePicture* picture)
    : replay_line_(std::move(replay_line)),
      picture_(picture),
      surface_(record_paints, picture),
      program_(*this, sound_, music_, {.replay = static_cast<bool>(replay_line_)}) {}

Surface& Simulation::game_window_opened() {
  if (picture_) picture_->clear();
  return surface_;
}

void Simulation::show(bool cc_pressed) {
  program_.take_changes();
  if (picture_) picture_->show(program_.view(), cc_pressed);
}

// The simulator writes its own lines: with the paints, or from the final state.
void Simulation::game_event(std::string_view) {
  if (*listener_) (*listener_)(*program_.last_game(), program_.last_event(), surface_.take());
}

void Simulation::run(const std::vector<KeyEvent>& keys, std::int64_t until,
                     const Listener& listener) {
  listener_ = &listener;
  program_.open_game(0);
  std::size_t next_key = 0;
  while (!program_.ended()) {
    constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();
    const std::int64_t key_time = next_key < keys.size() ? keys[next_key].t : never;
    const std::int64_t t = std::min(key_time, program_.next_wake().value_or(never));
    if (t == never || t > until) break;
    while (next_key < keys.size() && keys[next_key].t == t && !program_.ended())
      program_.feed(t, Input::pressed(keys[next_key++].code));
    program_.advance(t);
  }
}

std::int64_t Simulation::replay(const std::vector<ReplayStep>& steps, const Listener& listener,
                                std::optional<std::int64_t> until) {
  listener_ = &listener;
  program_.play_replay(0, steps);
  while (const std::optional<std::int64_t> t = program_.next_wake()) {
    if (until && *t > *until) break;
    program_.advance(*t);
  }
  return replay_length(steps);
}

}  // namespace glouton
