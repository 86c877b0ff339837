// The title window on screen: its drawing scaled by a whole factor and
// letterboxed like the game window, with the "GO !" button over it. The
// button has the keyboard focus for as long as the window lives.
#pragma once

#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/scaled_window.h"
#include "platform/title_drawing.h"

namespace glouton::platform {

class TitleScreen {
 public:
  // Opens the window hidden. Throws StartupError when SDL cannot make it.
  TitleScreen(const Pictures& pictures, const Fonts& fonts);

  Uint32 window_id() const { return window_.id(); }
  void show();
  void hide() { window_.hide(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }

  TitleDrawing& drawing() { return drawing_; }
  // Uploads the part of the drawing that changed and presents it; `whole`
  // draws everything anew.
  void present(bool whole);

  // A point of the window (as mouse events give it) on "GO !".
  bool on_button(int window_x, int window_y) const;
  void set_button_pressed(bool pressed) { button_pressed_ = pressed; }

 private:
  ScaledWindow window_;
  TitleDrawing drawing_;
  TexturePtr button_up_, button_down_;
  bool button_pressed_ = false;
};

}  // namespace glouton::platform
