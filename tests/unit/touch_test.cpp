// A finger's way as the keys it stands for: turns, taps, and what is neither.
#include <gtest/gtest.h>

#include <vector>

#include "screen/touch.h"

namespace glouton {
namespace {

struct Step {
  char what;  // 'd' down, 'm' move, 'u' up
  int finger;
  double x, y;
  int ms;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::vector<int> keys;
};

TEST(TouchSteering, TurnsTapsAndNeither) {
  const std::vector<Case> cases = {
      {"a tap held 300 ms is the space bar", {{'d', 1, 100, 100, 0}, {'u', 1, 103, 98, 300}}, {32}},
      {"a long press is nothing", {{'d', 1, 100, 100, 0}, {'u', 1, 100, 100, 301}}, {}},
      {"19 pixels is no turn, and no tap once held",
       {{'d', 1, 100, 100, 0}, {'m', 1, 81, 100, 400}, {'u', 1, 81, 100, 500}},
       {}},
      {"a swipe left is one press, not a tap too",
       {{'d', 1, 100, 100, 0}, {'m', 1, 80, 104, 40}, {'m', 1, 30, 100, 80}, {'u', 1, 10, 100, 90}},
       {37}},
      {"20 px is a turn", {{'d', 1, 0, 0, 0}, {'m', 1, 12, 20, 40}}, {40}},
      {"a 10 px flick at 100 px/s turns", {{'d', 1, 0, 0, 0}, {'u', 1, 0, -10, 100}}, {38}},
      {"9 px is a tap's slide, however quick", {{'d', 1, 0, 0, 0}, {'u', 1, -9, 0, 20}}, {32}},
      {"15 px a little slower is a tap", {{'d', 1, 0, 0, 0}, {'u', 1, 15, 0, 151}}, {32}},
      {"a wobbling 45-degree swipe is one turn",
       {{'d', 1, 0, 0, 0}, {'m', 1, 20, 18, 20}, {'m', 1, 38, 40, 40}, {'u', 1, 60, 60, 60}},
       {39}},
      {"a slant keeps the way until twice as far across as along",
       {{'d', 1, 0, 0, 0}, {'m', 1, 20, 0, 10}, {'m', 1, 30.125, 20, 20}, {'m', 1, 40.125, 0, 30}},
       {39, 38}},
      {"a quick flick counts at its end", {{'d', 1, 100, 100, 0}, {'u', 1, 100, 60, 50}}, {38}},
      {"turns without lifting: right, then up, then right again",
       {{'d', 1, 0, 200, 0},
        {'m', 1, 60, 200, 50},
        {'m', 1, 150, 195, 90},
        {'m', 1, 155, 170, 120},
        {'m', 1, 158, 100, 150},
        {'m', 1, 185, 98, 180}},
       {39, 38, 39}},
      {"a second finger does not steer",
       {{'d', 1, 100, 100, 0},
        {'d', 2, 300, 300, 10},
        {'m', 2, 200, 300, 30},
        {'u', 2, 200, 300, 40},
        {'u', 1, 100, 100, 60}},
       {32}},
      {"a new touch may press the same way again",
       {{'d', 1, 100, 100, 0},
        {'u', 1, 60, 100, 40},
        {'d', 3, 100, 100, 500},
        {'u', 3, 60, 100, 540}},
       {37, 37}},
  };
  for (const Case& c : cases) {
    TouchSteering touch;
    std::vector<int> keys;
    for (const Step& s : c.steps) {
      std::optional<int> key = s.what == 'd'   ? touch.down(s.finger, s.x, s.y, s.ms)
                               : s.what == 'm' ? touch.move(s.finger, s.x, s.y, s.ms)
                                               : touch.up(s.finger, s.x, s.y, s.ms);
      if (key) keys.push_back(*key);
    }
    EXPECT_EQ(keys, c.keys) << c.name;
  }
}

}  // namespace
}  // namespace glouton
