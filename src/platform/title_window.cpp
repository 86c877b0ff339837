#include "platform/title_window.h"

#include "platform/controls.h"

namespace glouton::platform {

TitleWindow::TitleWindow(const Pictures& pictures, const Fonts& fonts)
    : window_(window_caption, title_width, title_height, pictures.sprite(Picture::glouton),
              "the title window"),
      drawing_(pictures.face.get(), fonts) {
  const PixelRect go = to_pixels(go_place);
  button_up_ =
      window_.texture_of(draw_button(go.w, go.h, fonts.button, go_caption, false, true).get());
  button_down_ =
      window_.texture_of(draw_button(go.w, go.h, fonts.button, go_caption, true, true).get());
}

void TitleWindow::hide() {
  if (!shown_) return;
  window_.hide();
  button_.release();
  shown_ = false;
}

void TitleWindow::handle(const SDL_Event& e, Program& program, std::int64_t now) {
  if (!shown_) return;
  if (e.type == SDL_WINDOWEVENT && e.window.windowID == id()) {
    if (e.window.event == SDL_WINDOWEVENT_CLOSE) program.feed(now, Input::close);
    if (needs_redraw(e.window)) redraw_ = true;
    return;
  }
  const PushButton::Outcome out = button_.handle(
      e, id(), [this](int x, int y) { return window_.on(to_pixels(go_place), x, y); });
  if (out.redraw) redraw_ = true;
  if (out.clicked) program.feed(now, Input::go);
}

bool TitleWindow::show(const ProgramView& view, const ViewChanges& changes) {
  if (changes.face || !shown_) drawing_.place_face(view.face_left, view.face_top);
  if (view.caption != caption_) {
    caption_ = view.caption;
    SDL_SetWindowTitle(window_.window(), caption_.c_str());
  }
  const bool again = !shown_;
  if (again) {
    window_.show();
    // Back in front of whatever the game window left, with the keyboard.
    SDL_RaiseWindow(window_.window());
  }
  const bool whole = again || redraw_;
  std::optional<PixelRect> only;
  if (const std::optional<SDL_Rect> changed = drawing_.take_changed()) {
    window_.upload(drawing_.pixels(), *changed);
    if (!whole) only = PixelRect{changed->x, changed->y, changed->w, changed->h};
  } else if (!whole) {
    return false;
  }
  const View v = window_.begin_frame(only);
  window_.put((button_.pressed() ? button_down_ : button_up_).get(), to_pixels(go_place), v);
  window_.present();
  shown_ = true;
  redraw_ = false;
  return again;
}

}  // namespace glouton::platform
