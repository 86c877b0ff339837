// The title window on screen: its drawing scaled by a whole factor and
// letterboxed like the game window, with the "GO !" button over it, which
// has the keyboard focus for as long as the window lives. It handles the
// window's own events and shows the face where the program puts it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"
#include "platform/title_drawing.h"
#include "program/program.h"

namespace glouton::platform {

class TitleWindow {
 public:
  // Opens the window hidden. Throws StartupError when SDL cannot make it.
  TitleWindow(const Pictures& pictures, const Fonts& fonts);

  Uint32 id() const { return window_.id(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }
  // The game window opened over it: it takes no input and is not shown.
  void hide();

  // An event of this window: its frame closed, the "GO !" button's mouse, a new size.
  void handle(const SDL_Event& e, Program& program, std::int64_t now);
  // Shows the window, in front with the keyboard, or what changed in it.
  // True when it was shown anew (first, or again after the game window).
  bool show(const ProgramView& view, const ViewChanges& changes);

 private:
  ScaledWindow window_;
  TitleDrawing drawing_;
  PushButton button_;  // "GO !"
  TexturePtr button_up_, button_down_;
  std::string caption_{window_caption};
  bool shown_ = false;
  bool redraw_ = false;  // exposed or resized, or the button changed its look
};

}  // namespace glouton::platform
