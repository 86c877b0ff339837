#include "platform/title_screen.h"

#include "platform/controls.h"

namespace glouton::platform {

TitleScreen::TitleScreen(const Pictures& pictures, const Fonts& fonts)
    : window_(window_caption, title_width, title_height, pictures.sprite(Picture::glouton),
              "the title window"),
      drawing_(pictures.face.get(), fonts) {
  const PixelRect go = to_pixels(go_place);
  button_up_ = window_.texture_of(
      draw_button(go.w, go.h, fonts.button.get(), go_caption, false, true).get());
  button_down_ =
      window_.texture_of(draw_button(go.w, go.h, fonts.button.get(), go_caption, true, true).get());
}

void TitleScreen::show() {
  window_.show();
  // Back in front of whatever the game window left, with the keyboard.
  SDL_RaiseWindow(window_.window());
}

void TitleScreen::present(bool whole) {
  std::optional<PixelRect> only;
  if (const std::optional<SDL_Rect> changed = drawing_.take_changed()) {
    window_.upload(drawing_.pixels(), *changed);
    if (!whole) only = PixelRect{changed->x, changed->y, changed->w, changed->h};
  }
  const View v = window_.begin_frame(only);
  window_.put((button_pressed_ ? button_down_ : button_up_).get(), to_pixels(go_place), v);
  window_.present();
}

bool TitleScreen::on_button(int window_x, int window_y) const {
  const Point p = window_.to_content(window_x, window_y);
  return window_.in_content(p) && to_pixels(go_place).contains(p.x, p.y);
}

}  // namespace glouton::platform
