// Game controllers: plugged in and out while the game runs, they steer as
// the arrow keys do (D-pad and left stick), their south button (A) clicks
// "GO !" on the title and their east button (B) is the space bar in the game.
#pragma once

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <optional>

#include "audio/warn.h"
#include "program/program.h"

namespace glouton::platform {

// What a controller did that the windows answer (the program core says what it means).
using glouton::PadPress;

// Where a stick points: nowhere inside the dead zone, else along the axis
// pushed further (up on a tie, then left: the screen's reading order).
enum class StickDirection { none, left, up, right, down };

// 40% of the full scale of an axis (32,767): a resting stick drifts, a pushed one does not.
inline constexpr int stick_dead_zone = 13107;

// The longest a window sleeps while it may miss a controller being plugged in.
inline constexpr int hotplug_check_ms = 500;

StickDirection stick_direction(int x, int y);

// Controller events as presses, per controller: a button counts as it goes
// down, a stick as it crosses into a direction, once, however many axis
// events follow while it stays there.
class PadMapping {
 public:
  std::optional<PadPress> handle(const SDL_Event& e);
  // The controller went away: what its stick held goes with it.
  void forget(SDL_JoystickID pad) { sticks_.erase(pad); }
  // The window lost the focus: a stick held in a direction counts again only
  // once it has come back to rest, so no direction outlives the focus.
  void focus_lost();

 private:
  struct Stick {
    int x = 0, y = 0;
    StickDirection direction = StickDirection::none;
    bool spent = false;  // held through a loss of focus: wait for the rest position
  };
  std::map<SDL_JoystickID, Stick> sticks_;
};

// The controllers plugged in, opened as SDL tells of them and closed as they
// go, and their events mapped to presses. SDL starts its controller support
// with this object and stops it after; without it the game plays on the
// keyboard after one warning line.
class Controllers {
 public:
  explicit Controllers(const Warn& warn = warn_on_stderr);
  ~Controllers();
  Controllers(const Controllers&) = delete;
  Controllers& operator=(const Controllers&) = delete;

  // Any event: controllers coming and going are opened and closed here, and
  // a button or stick event of an open one may be a press.
  std::optional<PadPress> handle(const SDL_Event& e);
  void focus_lost() { mapping_.focus_lost(); }

  // How long a loop may sleep, `timeout` ms or for ever (-1): SDL looks for
  // controllers plugged in only as it pumps events, so a still window wakes
  // now and then for them.
  int wait_limit(int timeout) const;

  bool started() const { return started_; }
  int count() const { return static_cast<int>(open_.size()); }

 private:
  void open(int device_index);
  void close(SDL_JoystickID pad);

  Warn warn_;
  bool started_ = false;
  std::map<SDL_JoystickID, SDL_GameController*> open_;
  PadMapping mapping_;
};

}  // namespace glouton::platform
