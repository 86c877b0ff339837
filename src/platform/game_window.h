// The game window on screen: the game window's picture (the paints, the text
// boxes, the captions and "CC", drawn by the drawing module) shown scaled by
// a whole factor and letterboxed. It handles the window's own events and
// shows what the program changed.
#pragma once

#include <cstdint>

#include "draw/game_picture.h"
#include "platform/picture_window.h"
#include "program/program.h"
#include "screen/touch.h"

namespace glouton::platform {

class GameWindow {
 public:
  // Opens the window hidden, at the largest whole scale that fits the display.
  // Throws StartupError when SDL cannot make it.
  GameWindow();

  Surface& canvas() { return picture_; }
  // The picture blank again, for a game that starts anew in this window.
  void blank() { picture_.clear(); }
  SDL_Window* window() const { return window_.window(); }
  Uint32 id() const { return window_.id(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }

  // An event of this window: its frame closed, the "CC" button's mouse, a
  // new size, a finger steering (as the arrow keys and the space bar).
  void handle(const SDL_Event& e, Program& program, std::int64_t now);
  // Shows what changed (all of it the first time, after an expose, or with
  // `whole`). True when the window was shown for the first time.
  bool show(const ProgramView& view, bool whole = false);

 private:
  void finger(const SDL_TouchFingerEvent& f, Program& program, std::int64_t now);

  PictureWindow window_;
  draw::GamePicture picture_;
  TouchSteering touch_;
};

}  // namespace glouton::platform
