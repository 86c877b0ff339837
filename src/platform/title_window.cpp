#include "platform/title_window.h"

namespace glouton::platform {

TitleWindow::TitleWindow() : window_(draw::title_width, draw::title_height, "the title window") {}

void TitleWindow::handle(const SDL_Event& e, Program& program, std::int64_t now) {
  if (!window_.shown()) return;
  bool clicked = false;
  if (window_.handle(e, draw::go_button(), clicked)) program.feed(now, Input::close);
  if (clicked) program.feed(now, Input::go);
}

bool TitleWindow::show(const ProgramView& view) {
  picture_.show(view, window_.pressed());
  const bool again = window_.show(picture_, view.caption);
  // Back in front of whatever the game window left, with the keyboard.
  if (again) SDL_RaiseWindow(window_.window());
  return again;
}

}  // namespace glouton::platform
