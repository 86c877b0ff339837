#include "sim/simulation.h"

#include <algorithm>
#include <limits>

namespace glouton {

Simulation::Simulation(bool record_paints)
    : surface_(record_paints), form_(clock_, surface_, sound_, dialogs_) {}

void Simulation::run(const std::vector<KeyEvent>& keys, std::int64_t until,
                     const Listener& listener) {
  Session session(form_, clock_, [&](const EventRecord& record) {
    if (listener) listener(form_, record, surface_.take());
  });
  clock_.now = 0;
  session.load();
  std::size_t next_key = 0;
  while (!session.ended()) {
    constexpr std::int64_t never = std::numeric_limits<std::int64_t>::max();
    const std::int64_t key_time = next_key < keys.size() ? keys[next_key].t : never;
    const std::int64_t t = std::min(key_time, session.next_due().value_or(never));
    if (t == never || t > until) break;
    clock_.now = t;
    while (next_key < keys.size() && keys[next_key].t == t && !session.ended())
      session.key(keys[next_key++].code);
    session.run_due_timers();
  }
}

}  // namespace glouton
