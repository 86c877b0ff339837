#include "screen/touch.h"

#include <algorithm>
#include <cmath>

#include "ports/keys.h"

namespace glouton {
namespace {

// The key of a stretch's dominant axis; a tie is horizontal.
int dominant_key(double dx, double dy) {
  return std::abs(dx) >= std::abs(dy) ? (dx < 0 ? key_left : key_right)
                                      : (dy < 0 ? key_up : key_down);
}

}  // namespace

std::optional<int> TouchSteering::down(std::int64_t finger, double x, double y, std::int64_t ms) {
  if (finger_) return std::nullopt;
  finger_ = finger;
  from_x_ = x;
  from_y_ = y;
  down_ms_ = ms;
  last_key_ = 0;
  travelled_ = false;
  return std::nullopt;
}

bool TouchSteering::keeps_way(double dx, double dy) const {
  if (last_key_ == 0) return false;
  const bool horizontal = last_key_ == key_left || last_key_ == key_right;
  const double forward = last_key_ == key_left || last_key_ == key_up ? -1 : 1;
  const double along = forward * (horizontal ? dx : dy);
  const double across = std::abs(horizontal ? dy : dx);
  return along > 0 && across < turn_slope * along;
}

std::optional<int> TouchSteering::move(std::int64_t finger, double x, double y, std::int64_t) {
  if (finger_ != finger) return std::nullopt;
  const double dx = x - from_x_;
  const double dy = y - from_y_;
  if (std::max(std::abs(dx), std::abs(dy)) < turn_distance) return std::nullopt;
  // Far enough: the way is the dominant axis, unless the stretch goes on the
  // last way slantwise. Going on the same way only moves the mark along, so
  // that a later turn is measured from near it.
  const int key = keeps_way(dx, dy) ? last_key_ : dominant_key(dx, dy);
  from_x_ = x;
  from_y_ = y;
  travelled_ = true;
  if (key == last_key_) return std::nullopt;
  last_key_ = key;
  return key;
}

std::optional<int> TouchSteering::up(std::int64_t finger, double x, double y, std::int64_t ms) {
  if (finger_ != finger) return std::nullopt;
  // The last stretch of the way counts too: a quick flick may bring a single move.
  std::optional<int> key = move(finger, x, y, ms);
  finger_.reset();
  if (key || travelled_) return key;
  // Before any turn the mark is still where the finger touched down.
  const double dx = x - from_x_, dy = y - from_y_;
  const double length = std::max(std::abs(dx), std::abs(dy));
  const auto held = static_cast<double>(ms - down_ms_);
  if (length >= flick_distance && length * 1000 >= flick_speed * held) return dominant_key(dx, dy);
  if (held <= static_cast<double>(tap_ms)) return key_space;
  return std::nullopt;
}

}  // namespace glouton
