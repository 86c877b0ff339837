#include "game/timer.h"

namespace glouton {

Timer::Timer(const Clock& clock, int interval, bool enabled)
    : clock_(&clock), interval_(interval), enabled_(enabled) {
  if (enabled_) start();
}

void Timer::start() {
  due_ = clock_->now + interval_;
}

void Timer::setInterval(int ms) {
  interval_ = ms;
  if (enabled_) start();
}

void Timer::setEnabled(bool enabled) {
  if (enabled && !enabled_) {
    enabled_ = true;
    start();
  } else if (!enabled) {
    enabled_ = false;
  }
}

void Timer::ticked() {
  if (interval_ <= 0) {
    due_ = clock_->now + 1;
    return;
  }
  if (due_ <= clock_->now) {
    const std::int64_t missed = (clock_->now - due_) / interval_ + 1;
    due_ += missed * interval_;
  }
}

}  // namespace glouton
