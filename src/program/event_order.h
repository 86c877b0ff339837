// Drives one game window through its events, on a clock the caller owns: the
// simulator's virtual clock and the real loop share this order of events.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "game/form1.h"

namespace glouton {

enum class Event { load, key, Timer1, Timer2, Timer3, Timer4, Timer5 };

std::string_view event_name(Event ev);

// What one handled event was, for whoever watches (the trace).
struct EventRecord {
  std::int64_t t = 0;  // when it was due, ms
  Event ev = Event::load;
  int key = 0;            // the virtual key code of a key event
  std::vector<int> cues;  // the cues asked for during the event, in order
};

class EventOrder {
 public:
  using Listener = std::function<void(const EventRecord&)>;

  EventOrder(Form1& form, const Clock& clock, Listener listener = {});

  // The window loads at the clock's current time (0).
  void load();
  // A key pressed at the clock's current time.
  void key(int key_code);
  // Every timer due at the clock's current time, in the order of their due
  // times, Timer1..Timer5 at one instant; one that fell behind fires once,
  // with the time it was first due. `before_now` keeps to the timers that
  // fell due before the current millisecond: they come before its keys.
  void run_due_timers(bool before_now = false);
  // When the next timer is due, if any runs.
  std::optional<std::int64_t> next_due() const;
  // The window was unloaded (Escape, or its frame closed): no more events.
  bool ended() const { return form_.unloaded; }

 private:
  void finish(std::int64_t t, Event ev, int key);

  Form1& form_;
  const Clock& clock_;
  Listener listener_;
};

}  // namespace glouton
