#include "platform/game_screen.h"

#include "platform/controls.h"
#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

PixelRect caption_place(const TwipRect& corner, const SDL_Surface* picture) {
  PixelRect r = to_pixels(corner);
  r.w = picture->w;
  r.h = picture->h;
  return r;
}

}  // namespace

GameScreen::GameScreen(const Pictures& pictures, const Fonts& fonts)
    : fonts_(fonts),
      window_(window_caption, canvas_width, canvas_height, pictures.sprite(Picture::glouton),
              "the game window") {
  score_caption_ = window_.texture_of(pictures.score_caption.get());
  highs_caption_ = window_.texture_of(pictures.highs_caption.get());
  score_caption_place_ = caption_place(image2_corner, pictures.score_caption.get());
  highs_caption_place_ = caption_place(image1_corner, pictures.highs_caption.get());
  const PixelRect button = to_pixels(command1_place);
  button_up_ =
      window_.texture_of(draw_button(button.w, button.h, fonts.button.get(), "CC", false).get());
  button_down_ =
      window_.texture_of(draw_button(button.w, button.h, fonts.button.get(), "CC", true).get());
}

bool GameScreen::text_boxes_changed(const Form1& form) const {
  return !boxes_drawn_ || form.Text1.Text != text1_.text || form.Text1.Enabled != text1_.enabled ||
         form.Text3.Text != text3_.text || form.Text3.Enabled != text3_.enabled;
}

bool GameScreen::refresh_box(ShownBox& shown, const TextBox& box, const PixelRect& place,
                             const TextBoxLook& look, Font* font) {
  if (shown.texture && shown.text == box.Text && shown.enabled == box.Enabled) return false;
  SurfacePtr drawn = draw_text_box(place.w, place.h, look, font, box.Text, box.Enabled);
  // A box that cannot be drawn keeps its last look rather than stopping the game.
  if (!drawn) return false;
  TexturePtr texture = window_.make_texture(drawn.get());
  if (!texture) return false;
  shown.texture = std::move(texture);
  shown.text = box.Text;
  shown.enabled = box.Enabled;
  return true;
}

void GameScreen::present(Canvas& canvas, const Form1& form, bool whole) {
  // Only what changed is drawn anew: a step of the glouton or a chaser is two cells.
  std::optional<SDL_Rect> part = canvas.take_changed();
  if (part) window_.upload(canvas.pixels(), *part);
  const auto add = [&part](const PixelRect& r) {
    const SDL_Rect box{r.x, r.y, r.w, r.h};
    part = part ? union_of(*part, box) : box;
  };
  const PixelRect text1 = to_pixels(text1_place), text3 = to_pixels(text3_place);
  if (refresh_box(text1_, form.Text1, text1, text1_look, fonts_.score.get())) add(text1);
  if (refresh_box(text3_, form.Text3, text3, text3_look, fonts_.best.get())) add(text3);
  boxes_drawn_ = true;

  std::optional<PixelRect> only;
  if (part && !whole) only = PixelRect{part->x, part->y, part->w, part->h};
  const View v = window_.begin_frame(only);
  window_.put(score_caption_.get(), score_caption_place_, v);
  window_.put(highs_caption_.get(), highs_caption_place_, v);
  window_.put(text1_.texture.get(), text1, v);
  window_.put(text3_.texture.get(), text3, v);
  window_.put((button_pressed_ ? button_down_ : button_up_).get(), to_pixels(command1_place), v);
  window_.present();
}

Point GameScreen::to_canvas(int window_x, int window_y) const {
  return window_.to_content(window_x, window_y);
}

bool GameScreen::on_button(Point p) const {
  return window_.in_content(p) && to_pixels(command1_place).contains(p.x, p.y);
}

}  // namespace glouton::platform
