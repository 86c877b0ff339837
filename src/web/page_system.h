// The page's own part of the SDL frontend (web/page_system.cpp).
#pragma once

namespace glouton::platform {

// Fits the page's newest window, the one shown, to the game's room, when the
// page changed size (a turned phone, fullscreen, the browser's bars): the page
// wakes call it.
void fit_page_windows();

}  // namespace glouton::platform
