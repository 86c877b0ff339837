// The title window's picture, 706 × 468: the red form with its three labels,
// the face wherever the title's logic last put it, and the "GO !" button,
// which has the keyboard focus for as long as the window lives.
#pragma once

#include "draw/window_picture.h"
#include "program/program_view.h"
#include "title/form2_layout.h"

namespace glouton::draw {

inline constexpr int title_width = form2_width / twips_per_pixel;    // 706
inline constexpr int title_height = form2_height / twips_per_pixel;  // 468

// Where "GO !" is in the picture: the frontend's mouse presses it.
PixelRect go_button();

class TitlePicture final : public WindowPicture {
 public:
  // The labels drawn, the face at its design place.
  TitlePicture();

  // Brings the picture up to date: the face where the view has it (its old
  // place red again), "GO !" up or pressed (the mouse is the frontend's).
  void show(const ProgramView& view, bool go_pressed);

 private:
  void draw_controls(PixelBuffer& out, const PixelRect& clip) const override;
  void place_face(int left_twips, int top_twips);
  // The red form and its labels, inside `clip`.
  void draw_form(const PixelRect& clip);
  void draw_labels(const PixelRect& clip);

  PixelRect face_at_;  // where the face is, in pixels
  bool go_pressed_ = false;
};

}  // namespace glouton::draw
