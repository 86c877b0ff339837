#include "draw/title_picture.h"

#include "draw/controls.h"
#include "draw/glyph_atlas.h"
#include "draw/pictures.h"
#include "title/form2.h"

namespace glouton::draw {

PixelRect go_button() {
  return to_pixels(go_place);
}

TitlePicture::TitlePicture() : WindowPicture(title_width, title_height, red) {
  const Image& face = pictures().face;
  const PixelRect design = to_pixels(TwipRect{face_design_left, face_design_top, 0, 0});
  face_at_ = {design.x, design.y, face.w, face.h};
  draw_labels(picture().whole());  // on the form's red, which the picture starts with
  draw_image(picture(), face, face_at_.x, face_at_.y, picture().whole());
  drawn(picture().whole());
}

void TitlePicture::draw_form(const PixelRect& clip) {
  picture().fill(clip, red);
  draw_labels(clip);
}

void TitlePicture::draw_labels(const PixelRect& clip) {
  PixelBuffer& out = picture();
  draw_label(out, to_pixels(label4_place), label4_look, glyph_atlas::title, title_text, clip);
  draw_label(out, to_pixels(label2_place), label2_look, glyph_atlas::line, subtitle_text, clip);
  draw_label(out, to_pixels(label6_place), label6_look, glyph_atlas::line, credit_text, clip);
}

void TitlePicture::place_face(int left_twips, int top_twips) {
  const PixelRect p = to_pixels(TwipRect{left_twips, top_twips, 0, 0});
  if (p.x == face_at_.x && p.y == face_at_.y) return;
  const PixelRect old = face_at_;
  draw_form(old);  // the face leaves the form as it was
  face_at_.x = p.x;
  face_at_.y = p.y;
  draw_image(picture(), pictures().face, face_at_.x, face_at_.y, picture().whole());
  drawn(old);
  drawn(face_at_);
}

void TitlePicture::show(const ProgramView& view, bool go_pressed) {
  place_face(view.face_left, view.face_top);
  if (go_pressed == go_pressed_) return;
  go_pressed_ = go_pressed;
  drawn(go_button());
}

void TitlePicture::draw_controls(PixelBuffer& out, const PixelRect& clip) const {
  const PixelRect go = go_button();
  if (!empty(intersect(go, clip)))
    draw_button(out, go, glyph_atlas::button, go_caption, go_pressed_, true, clip);
}

}  // namespace glouton::draw
