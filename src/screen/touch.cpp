#include "screen/touch.h"

#include <algorithm>
#include <cmath>

#include "ports/keys.h"

namespace glouton {

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

std::optional<int> TouchSteering::move(std::int64_t finger, double x, double y, std::int64_t) {
  if (finger_ != finger) return std::nullopt;
  const double dx = x - from_x_;
  const double dy = y - from_y_;
  if (std::max(std::abs(dx), std::abs(dy)) < turn_distance) return std::nullopt;
  // Far enough: the way is the dominant axis. Going on the same way only
  // moves the mark along, so that a later turn is measured from near it.
  const int key =
      std::abs(dx) >= std::abs(dy) ? (dx < 0 ? key_left : key_right) : (dy < 0 ? key_up : key_down);
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
  if (key) return key;
  if (!travelled_ && ms - down_ms_ <= tap_ms) return key_space;
  return std::nullopt;
}

}  // namespace glouton
