// The page's devices, on emscripten's HTML5 API: keys on the canvas, its
// fingers and mouse, the window's focus, visibility and size, and the
// controllers of the Gamepad API, handed to the run showing.
#pragma once

#include <functional>
#include <vector>

#include "program/input.h"

namespace glouton::web {

class PageRun;

// Listens for the page's events; `run` gives the run showing, if any.
void listen(std::function<PageRun*()> run);

// Whether a controller is plugged in: the Gamepad API is read, not heard.
bool pads_connected();
// What the controllers did since the last call.
std::vector<PadPress> poll_pads();

}  // namespace glouton::web
