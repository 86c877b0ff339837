// The page's devices, on emscripten's HTML5 API: keys on the canvas, its
// fingers and mouse, the window's focus, visibility and size, and the
// controllers of the Gamepad API, handed to the run showing.
#pragma once

#include <functional>
#include <vector>

#include "program/input.h"

namespace glouton::web {

class PageRun;

// Listens for the canvas's keys, fingers and mouse, and for controllers
// plugged in; `run` gives the run showing, if any.
void listen(std::function<PageRun*()> run);
// Then, once the first frame is on the screen (each listener set up costs a
// phone a millisecond or two), for the window's focus and visibility, and the
// game's room's size (the run showing is fitted again then, and at once, for
// a size that changed before).
void listen_to_the_page();

// Whether a controller is plugged in: the Gamepad API is read, not heard.
bool pads_connected();
// What the controllers did since the last call.
std::vector<PadPress> poll_pads();

}  // namespace glouton::web
