// The game window on screen: an SDL window showing the canvas scaled by a
// whole factor, letterboxed, with the text boxes, captions and "CC" over it.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/view.h"
#include "window/form1.h"

namespace glouton::platform {

inline constexpr const char* window_caption = "Glouton";

class GameScreen {
 public:
  // Opens the window hidden, at the largest whole scale that fits the display.
  // Throws StartupError when SDL cannot make it.
  GameScreen(const Pictures& pictures, const Fonts& fonts);

  SDL_Window* window() const { return window_.get(); }
  Uint32 window_id() const { return SDL_GetWindowID(window_.get()); }
  void show() { SDL_ShowWindow(window_.get()); }

  // True when the form's text boxes differ from what was last presented.
  bool text_boxes_changed(const Form1& form) const;
  // Uploads the part of the canvas that changed, draws everything and presents.
  void present(Canvas& canvas, const Form1& form);

  // A point of the window (as mouse events give it) in canvas pixels.
  Point to_canvas(int window_x, int window_y) const;
  bool on_button(Point canvas_point) const;
  bool button_pressed() const { return button_pressed_; }
  void set_button_pressed(bool pressed) { button_pressed_ = pressed; }

 private:
  struct ShownBox {
    std::string text;
    bool enabled = false;
    TexturePtr texture;
  };

  TexturePtr texture_of(SDL_Surface* surface) const;
  void refresh_box(ShownBox& shown, const TextBox& box, const PixelRect& place,
                   const TextBoxLook& look, TTF_Font* font);
  View view() const;

  const Fonts& fonts_;
  WindowPtr window_;
  RendererPtr renderer_;
  TexturePtr canvas_texture_;
  TexturePtr score_caption_, highs_caption_;
  PixelRect score_caption_place_, highs_caption_place_;
  TexturePtr button_up_, button_down_;
  ShownBox text1_, text3_;
  bool boxes_drawn_ = false;
  bool button_pressed_ = false;
};

}  // namespace glouton::platform
