// Steering by touch, for the page on a phone: a finger's way across the
// screen becomes the keys it stands for, so the game, its traces and its
// replays see only key presses. Plain arithmetic on positions in CSS pixels
// and times in ms; the frontend feeds it SDL's finger events.
//
// The rules, and why:
// - A turn: once the finger is turn_distance from where it touched down or
//   its last stretch ended, the stretch's dominant axis is one arrow key
//   press, unless it is the way the finger already goes.
// - A diagonal is one turn: after a turn, a stretch that still goes forward
//   along the way keeps it unless it goes at least turn_slope times as far
//   across as along (63 degrees off the way): a thumb's diagonal may stray
//   18 degrees from 45 and stay one turn, while a corner bends the way by 90.
//   The price: a corner taken late in a stretch may turn a stretch later.
// - A flick: a touch lifted before it turned, that went at least
//   flick_distance, and went it at flick_speed or faster, is a turn along its
//   dominant axis. A tap's slide is a few pixels, slowly, over its whole
//   press; a flick is a deliberate stroke that a quick thumb ends before
//   turn_distance. Both must hold, so a tap that drifts stays a tap.
// - A tap: a touch lifted within tap_ms that is neither turn nor flick is
//   the space bar.
#pragma once

#include <cstdint>
#include <optional>

namespace glouton {

class TouchSteering {
 public:
  // 20 CSS pixels is about one tile of the maze on a phone held upright (390
  // pixels wide), and more than twice the few pixels a finger slides in a tap.
  static constexpr double turn_distance = 20;
  // How much farther across than along a stretch goes to leave the way ("A
  // diagonal" above).
  static constexpr double turn_slope = 2;
  // Half a turn: still more than a tap's slide.
  static constexpr double flick_distance = 10;
  // In pixels per second, from touch-down to lift: a press that creeps 10 to
  // 19 pixels in 200 ms or more stays a tap; a flick of 15 pixels in 100 ms
  // is half again above it.
  static constexpr double flick_speed = 100;
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
  // Whether a stretch (dx, dy) still goes the way of the last turn, as a
  // diagonal does.
  bool keeps_way(double dx, double dy) const;

  std::optional<std::int64_t> finger_;
  double from_x_ = 0, from_y_ = 0;  // where it touched down or its last stretch ended
  std::int64_t down_ms_ = 0;
  int last_key_ = 0;  // the last turn of this touch, 0 before any
  bool travelled_ = false;
};

}  // namespace glouton
