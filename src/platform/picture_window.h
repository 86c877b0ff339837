// What the title window and the game window share: a scaled window showing a
// picture that the drawing module keeps, its title following the view's, the
// push button under the mouse, and the showing of what changed.
#pragma once

#include <SDL.h>

#include <string>

#include "draw/window_picture.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"

namespace glouton::platform {

class PictureWindow {
 public:
  // Opens the window hidden, at the largest whole scale of a picture of
  // w × h that fits the display. Throws StartupError when SDL cannot make it.
  PictureWindow(int w, int h, const char* what);

  SDL_Window* window() const { return window_.window(); }
  Uint32 id() const { return window_.id(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }
  bool shown() const { return shown_; }
  bool pressed() const { return button_.pressed(); }

  // The window's own events: its frame closed (true), a new size or an
  // expose (drawn whole next), the button at `button` (picture pixels)
  // pressed or let go; `clicked` is set when it is let go over it.
  bool handle(const SDL_Event& e, const PixelRect& button, bool& clicked);
  // Puts the picture's changed part on the screen, with the window's title;
  // all of it the first time, after an expose, or with `whole`. True when
  // the window was shown for the first time since made or hidden.
  bool show(draw::WindowPicture& picture, const std::string& caption, bool whole = false);
  void hide();

  ScaledWindow& scaled() { return window_; }

 private:
  ScaledWindow window_;
  PushButton button_;
  std::string caption_{window_caption};
  bool shown_ = false;
  bool redraw_ = false;  // exposed or resized
};

}  // namespace glouton::platform
