// An interval timer of a window, and the clock that the loops own.
#pragma once

#include <cstdint>

namespace glouton {

// Milliseconds since the game window was loaded. The simulator or the real loop
// sets `now` before every event; the core only reads it.
struct Clock {
  std::int64_t now = 0;
};

// A timer started at time s with interval I is due at s + I, s + 2I, ...
// Enabling a timer, or giving an enabled timer an interval (even the same one),
// starts it afresh at the clock's current time.
class Timer {
 public:
  Timer(const Clock& clock, int interval, bool enabled);

  int Interval() const { return interval_; }
  void setInterval(int ms);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);

  // When the next tick is due; meaningful while enabled.
  std::int64_t due() const { return due_; }
  bool is_due() const { return enabled_ && due_ <= clock_->now; }
  // Called as the tick is handled: the next tick is the first one after now,
  // so a timer that fell behind fires once for all the ticks it missed.
  void ticked();

 private:
  void start();

  const Clock* clock_;
  int interval_;
  bool enabled_;
  std::int64_t due_ = 0;
};

}  // namespace glouton
