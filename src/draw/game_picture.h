// The game window's picture, 644 × 448: the persistent surface the game
// paints its sprites on, and over it the "SCORE" and "HighS:" captions, the
// score and best-score text boxes and the "CC" button.
#pragma once

#include "draw/window_picture.h"
#include "game/form1_layout.h"
#include "ports/surface.h"
#include "program/program_view.h"

namespace glouton::draw {

inline constexpr int game_width = form1_width / twips_per_pixel;    // 644
inline constexpr int game_height = form1_height / twips_per_pixel;  // 448

// Where "CC" is in the picture: the frontend's mouse presses it.
PixelRect cc_button();

class GamePicture final : public WindowPicture, public Surface {
 public:
  // Blank: the window's blue.
  GamePicture();

  // Keeps the sprite until painted over.
  void PaintPicture(Picture picture, int x, int y) override;
  // Blank again, as made, for a game that starts anew in this window.
  void clear();

  // Brings the picture up to date: the text boxes as the view has them, "CC"
  // up or pressed (the mouse is the frontend's).
  void show(const ProgramView& view, bool cc_pressed);

 private:
  void draw_controls(PixelBuffer& out, const PixelRect& clip) const override;

  TextBoxView score_, best_;
  bool cc_pressed_ = false;
};

}  // namespace glouton::draw
