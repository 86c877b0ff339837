// The game window on screen: the canvas the game paints on, shown scaled by a
// whole factor and letterboxed, with the text boxes, captions and "CC" over
// it. It handles the window's own events and shows what the program changed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"
#include "program/program.h"
#include "screen/touch.h"

namespace glouton::platform {

class GameWindow {
 public:
  // Opens the window hidden, at the largest whole scale that fits the display.
  // Throws StartupError when SDL cannot make it.
  GameWindow(const Pictures& pictures, const Fonts& fonts);

  Surface& canvas() { return canvas_; }
  // The canvas blank again, for a game that starts anew in this window.
  void blank() { canvas_.clear(); }
  SDL_Window* window() const { return window_.window(); }
  Uint32 id() const { return window_.id(); }
  void toggle_fullscreen() { window_.toggle_fullscreen(); }

  // An event of this window: its frame closed, the "CC" button's mouse, a
  // new size, a finger steering (as the arrow keys and the space bar).
  void handle(const SDL_Event& e, Program& program, std::int64_t now);
  // Shows the canvas's changed part and the text boxes that changed (all of
  // it the first time, after an expose, or with `whole`). True when the
  // window was shown for the first time.
  bool show(const ProgramView& view, const ViewChanges& changes, bool whole = false);

 private:
  struct ShownBox {
    TexturePtr texture;
  };
  // True when the box is drawn anew.
  void finger(const SDL_TouchFingerEvent& f, Program& program, std::int64_t now);
  bool draw_box(ShownBox& shown, const TextBoxView& box, const PixelRect& place,
                const TextBoxLook& look, const GlyphFont& font);

  const Fonts& fonts_;
  ScaledWindow window_;
  Canvas canvas_;
  PushButton button_;  // "CC"
  TouchSteering touch_;
  TexturePtr score_caption_, highs_caption_;
  PixelRect score_caption_place_, highs_caption_place_;
  TexturePtr button_up_, button_down_;
  ShownBox score_, best_;
  std::string caption_{window_caption};
  bool shown_ = false;
  bool redraw_ = false;  // exposed or resized, or the button changed its look
};

}  // namespace glouton::platform
