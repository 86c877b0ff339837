// close_frame WINDOW: asks an X window to close as its frame's close box
// does, with the WM_DELETE_WINDOW message a window manager would send; the
// window tests run without a window manager. Exit status 1 on a bad window.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: close_frame WINDOW_ID\n");
    return 2;
  }
  char* end = nullptr;
  const unsigned long window = std::strtoul(argv[1], &end, 0);
  if (!end || *end != '\0' || window == 0) {
    std::fprintf(stderr, "close_frame: bad window id %s\n", argv[1]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "close_frame: cannot open the display\n");
    return 1;
  }
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  const Status sent = XSendEvent(display, window, False, NoEventMask, &e);
  XSync(display, False);
  XCloseDisplay(display);
  return sent ? 0 : 1;
}
