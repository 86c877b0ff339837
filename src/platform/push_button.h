// A push button under the mouse, as the buttons of both windows behave: it
// shows pressed while the left button, gone down on it, stays over it, and it
// clicks when let go over it.
#pragma once

#include <SDL_events.h>

#include <functional>

namespace glouton::platform {

class PushButton {
 public:
  struct Outcome {
    bool redraw = false;   // the button changed its look
    bool clicked = false;  // let go over the button
  };

  // `over` tells whether a point of the window (as mouse events give it) lies
  // on the button. Events of other windows change nothing.
  Outcome handle(const SDL_Event& e, Uint32 window_id, const std::function<bool(int, int)>& over);
  bool pressed() const { return pressed_; }
  // The window went away under the mouse: the button is let go without a click.
  void release() { tracking_ = pressed_ = false; }

 private:
  bool tracking_ = false;  // the left button went down on it and is still down
  bool pressed_ = false;
};

}  // namespace glouton::platform
