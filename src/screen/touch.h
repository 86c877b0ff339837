// Steering by touch, for the page on a phone: a finger's way across the
// screen becomes the keys it stands for, so the game, its traces and its
// replays see only key presses. Plain arithmetic on positions in CSS pixels
// and times in ms; the frontend feeds it SDL's finger events.
#pragma once

#include <cstdint>
#include <optional>

namespace glouton {

class TouchSteering {
 public:
  // How far a finger goes, from where it touched down or last turned, before
  // its way counts as a turn: 20 CSS pixels is about one tile of the maze on
  // a phone held upright (390 pixels wide), and more than twice the few
  // pixels a finger slides in a tap, so a tap never steers.
  static constexpr double turn_distance = 20;
  // A touch held longer than this is no tap: the player was aiming a swipe.
  static constexpr std::int64_t tap_ms = 300;

  // Each returns the key the touch stands for, if any: 37..40 (left, up,
  // right, down) for a turn, 32 (space) for a tap. Only the first finger
  // down steers; others are ignored until it is lifted.
  std::optional<int> down(std::int64_t finger, double x, double y, std::int64_t ms);
  std::optional<int> move(std::int64_t finger, double x, double y, std::int64_t ms);
  std::optional<int> up(std::int64_t finger, double x, double y, std::int64_t ms);
  // The touch went away without ending (the window closed, the page lost it).
  void cancel() { finger_.reset(); }

 private:
  std::optional<std::int64_t> finger_;
  double from_x_ = 0, from_y_ = 0;  // where it touched down or last turned
  std::int64_t down_ms_ = 0;
  int last_key_ = 0;  // the last turn of this touch, 0 before any
  bool travelled_ = false;
};

}  // namespace glouton
