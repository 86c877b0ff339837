#include "platform/push_button.h"

namespace glouton::platform {

namespace {

// Mouse events of no window come while the pointer has left every window.
bool ours(Uint32 event_window, Uint32 window_id) {
  return event_window == window_id || event_window == 0;
}

}  // namespace

PushButton::Outcome PushButton::handle(const SDL_Event& e, Uint32 window_id,
                                       const std::function<bool(int, int)>& over) {
  Outcome out;
  if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT &&
      ours(e.button.windowID, window_id)) {
    if (!over(e.button.x, e.button.y)) return out;
    tracking_ = pressed_ = true;
    out.redraw = true;
  } else if (e.type == SDL_MOUSEMOTION && tracking_ && ours(e.motion.windowID, window_id)) {
    // A button shows pressed only while the pointer is still over it.
    const bool now_over = over(e.motion.x, e.motion.y);
    if (now_over != pressed_) {
      pressed_ = now_over;
      out.redraw = true;
    }
  } else if (e.type == SDL_MOUSEBUTTONUP && e.button.button == SDL_BUTTON_LEFT && tracking_ &&
             ours(e.button.windowID, window_id)) {
    tracking_ = pressed_ = false;
    out.redraw = true;
    out.clicked = over(e.button.x, e.button.y);
  }
  return out;
}

}  // namespace glouton::platform
