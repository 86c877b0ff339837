// The game window on screen: an SDL window showing the canvas scaled by a
// whole factor, letterboxed, with the text boxes, captions and "CC" over it.
#pragma once

#include <string>

#include "game/form1.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/scaled_window.h"
#include "platform/view.h"

namespace glouton::platform {

class GameScreen {
 public:
  // Opens the window hidden, at the largest whole scale that fits the display.
  // Throws StartupError when SDL cannot make it.
  GameScreen(const Pictures& pictures, const Fonts& fonts);

  SDL_Window* window() const { return window_.window(); }
  Uint32 window_id() const { return window_.id(); }
  void show() { window_.show(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }

  // True when the form's text boxes differ from what was last presented.
  bool text_boxes_changed(const Form1& form) const;
  // Uploads the part of the canvas that changed and presents it with the
  // text boxes that changed; `whole` draws everything anew.
  void present(Canvas& canvas, const Form1& form, bool whole);

  // A point of the window (as mouse events give it) in canvas pixels.
  Point to_canvas(int window_x, int window_y) const;
  bool on_button(Point canvas_point) const;
  void set_button_pressed(bool pressed) { button_pressed_ = pressed; }

 private:
  struct ShownBox {
    std::string text;
    bool enabled = false;
    TexturePtr texture;
  };

  // True when the box is drawn anew.
  bool refresh_box(ShownBox& shown, const TextBox& box, const PixelRect& place,
                   const TextBoxLook& look, Font* font);

  const Fonts& fonts_;
  ScaledWindow window_;
  TexturePtr score_caption_, highs_caption_;
  PixelRect score_caption_place_, highs_caption_place_;
  TexturePtr button_up_, button_down_;
  ShownBox text1_, text3_;
  bool boxes_drawn_ = false;
  bool button_pressed_ = false;
};

}  // namespace glouton::platform
