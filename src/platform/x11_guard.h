// SDL 2.26 wakes its own event wait on X11 by sending an event to one of the
// program's windows over a second connection. When that window is destroyed
// right after (the game window closed by Escape or by its frame, the title
// window closed), the event may reach the X server after the window is gone;
// the server then answers BadWindow, and Xlib's default handler ends the
// program with status 1 as the connection closes. The guard lets exactly
// that error pass and leaves every other one to the handler before it.
#pragma once

namespace glouton::platform {

// Installs the guard before SDL opens the display; nothing without X11.
void guard_x11_wakeups();

// Whether an X error (its error and request codes) is the late wakeup's.
bool is_late_wakeup(int error_code, int request_code);

}  // namespace glouton::platform
