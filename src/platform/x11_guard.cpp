#include "platform/x11_guard.h"

#ifdef GLOUTON_X11_GUARD
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace glouton::platform {

#ifdef GLOUTON_X11_GUARD

namespace {

XErrorHandler handler_before = nullptr;

int guard(Display* display, XErrorEvent* error) {
  if (is_late_wakeup(error->error_code, error->request_code)) return 0;
  return handler_before ? handler_before(display, error) : 0;
}

}  // namespace

bool is_late_wakeup(int error_code, int request_code) {
  return error_code == BadWindow && request_code == X_SendEvent;
}

void guard_x11_wakeups() {
  if (handler_before) return;
  // The handler in place now is Xlib's default one; SDL chains to the guard.
  handler_before = XSetErrorHandler(guard);
}

#else

bool is_late_wakeup(int, int) {
  return false;
}

void guard_x11_wakeups() {}

#endif

}  // namespace glouton::platform
