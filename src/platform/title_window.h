// The title window on screen: the title's picture (drawn by the drawing
// module) scaled by a whole factor and letterboxed like the game window. It
// handles the window's own events and shows the face where the program puts it.
#pragma once

#include <cstdint>

#include "draw/title_picture.h"
#include "platform/picture_window.h"
#include "program/program.h"

namespace glouton::platform {

class TitleWindow {
 public:
  // Opens the window hidden. Throws StartupError when SDL cannot make it.
  TitleWindow();

  Uint32 id() const { return window_.id(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }
  // The game window opened over it: it takes no input and is not shown.
  void hide() { window_.hide(); }

  // An event of this window: its frame closed, the "GO !" button's mouse, a new size.
  void handle(const SDL_Event& e, Program& program, std::int64_t now);
  // Shows the window, in front with the keyboard, or what changed in it.
  // True when it was shown anew (first, or again after the game window).
  bool show(const ProgramView& view);

 private:
  PictureWindow window_;
  draw::TitlePicture picture_;
};

}  // namespace glouton::platform
