#include "program/event_order.h"

#include <array>

#include "chasers/tete.h"
#include "game/form_load.h"
#include "player/glouton.h"

namespace glouton {

std::string_view event_name(Event ev) {
  static constexpr std::array<std::string_view, 7> names = {"load",   "key",    "Timer1", "Timer2",
                                                            "Timer3", "Timer4", "Timer5"};
  return names[static_cast<std::size_t>(ev)];
}

EventOrder::EventOrder(Form1& form, const Clock& clock, Listener listener)
    : form_(form), clock_(clock), listener_(std::move(listener)) {}

void EventOrder::finish(std::int64_t t, Event ev, int key) {
  EventRecord record{t, ev, key, form_.MMControl1.take_log()};
  if (listener_) listener_(record);
}

void EventOrder::load() {
  Form_Load(form_);
  finish(clock_.now, Event::load, 0);
}

void EventOrder::key(int key_code) {
  if (ended()) return;
  Form_KeyDown(form_, key_code);
  finish(clock_.now, Event::key, key_code);
}

void EventOrder::run_due_timers(bool before_now) {
  const std::array<Timer*, 5> timers = form_.timers();
  const std::int64_t last = before_now ? clock_.now - 1 : clock_.now;
  while (!ended()) {
    // The earliest instant with a tick due; the handled ticks move past now,
    // and a timer that a handler starts is due after now.
    std::int64_t first = last + 1;
    for (const Timer* timer : timers)
      if (timer->Enabled() && timer->due() < first) first = timer->due();
    if (first > last) return;
    for (std::size_t i = 0; i < timers.size() && !ended(); ++i) {
      Timer& timer = *timers[i];
      if (!timer.Enabled() || timer.due() != first) continue;
      timer.ticked();  // before the handler, which may restart it
      const auto ev = static_cast<Event>(static_cast<int>(Event::Timer1) + static_cast<int>(i));
      switch (ev) {
        case Event::Timer1:
          Timer1_Timer(form_);
          break;
        case Event::Timer2:
          tete_Timer(form_, 1);
          break;
        case Event::Timer3:
          tete_Timer(form_, 2);
          break;
        case Event::Timer4:
          tete_Timer(form_, 3);
          break;
        default:
          Timer5_Timer(form_);
          break;
      }
      finish(first, ev, 0);
    }
    // The instant of the clock itself is done: nothing it started is due now.
    if (first == clock_.now) return;
  }
}

std::optional<std::int64_t> EventOrder::next_due() const {
  std::optional<std::int64_t> next;
  for (const Timer* timer : form_.timers())
    if (timer->Enabled() && (!next || timer->due() < *next)) next = timer->due();
  return next;
}

}  // namespace glouton
