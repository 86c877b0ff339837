#include "draw/game_picture.h"

#include "draw/controls.h"
#include "draw/glyph_atlas.h"
#include "draw/pictures.h"

namespace glouton::draw {

namespace {

constexpr std::uint32_t window_blue = 0xff0000ff;

}  // namespace

PixelRect cc_button() {
  return to_pixels(command1_place);
}

GamePicture::GamePicture() : WindowPicture(game_width, game_height, window_blue) {
  clear();
}

void GamePicture::clear() {
  picture().fill(picture().whole(), window_blue);
  drawn(picture().whole());
}

void GamePicture::PaintPicture(Picture p, int x, int y) {
  const Image& sprite = pictures().sprite(p);
  const PixelRect where{twips_to_pixels(x), twips_to_pixels(y), sprite.w, sprite.h};
  draw_image(picture(), sprite, where.x, where.y, picture().whole());
  drawn(where);
}

void GamePicture::show(const ProgramView& view, bool cc_pressed) {
  const bool score = view.score != score_, best = view.best != best_;
  const bool cc = cc_pressed != cc_pressed_;
  score_ = view.score;
  best_ = view.best;
  cc_pressed_ = cc_pressed;
  if (score) drawn(to_pixels(text1_place));
  if (best) drawn(to_pixels(text3_place));
  if (cc) drawn(cc_button());
}

void GamePicture::draw_controls(PixelBuffer& out, const PixelRect& clip) const {
  const Pictures& p = pictures();
  const PixelRect score_at = to_pixels(score_caption_corner);
  const PixelRect highs_at = to_pixels(highs_caption_corner);
  draw_image(out, p.score_caption, score_at.x, score_at.y, clip);
  draw_image(out, p.highs_caption, highs_at.x, highs_at.y, clip);
  const auto box = [&](const TwipRect& place, const TextBoxLook& look, const GlyphFont& font,
                       const TextBoxView& view) {
    const PixelRect at = to_pixels(place);
    if (!empty(intersect(at, clip)))
      draw_text_box(out, at, look, font, view.text, view.enabled, clip);
  };
  box(text1_place, text1_look, glyph_atlas::score, score_);
  box(text3_place, text3_look, glyph_atlas::best, best_);
  const PixelRect cc = cc_button();
  if (!empty(intersect(cc, clip)))
    draw_button(out, cc, glyph_atlas::button, "CC", cc_pressed_, false, clip);
}

}  // namespace glouton::draw
