#include "platform/game_window.h"

#include "ports/keys.h"

namespace glouton::platform {

GameWindow::GameWindow() : window_(draw::game_width, draw::game_height, "the game window") {}

void GameWindow::handle(const SDL_Event& e, Program& program, std::int64_t now) {
  if (e.type == SDL_FINGERDOWN || e.type == SDL_FINGERMOTION || e.type == SDL_FINGERUP) {
    if (e.tfinger.windowID == id()) finger(e.tfinger, program, now);
    return;
  }
  bool clicked = false;
  if (window_.handle(e, draw::cc_button(), clicked)) program.feed(now, Input::close);
  if (clicked) program.feed(now, Input::cc);
}

void GameWindow::finger(const SDL_TouchFingerEvent& f, Program& program, std::int64_t now) {
  // SDL gives the finger's place as a share of the window, which counts in
  // points: CSS pixels, as the gestures are measured in.
  int w = 0, h = 0;
  SDL_GetWindowSize(window(), &w, &h);
  const double x = f.x * static_cast<double>(w), y = f.y * static_cast<double>(h);
  const auto finger = static_cast<std::int64_t>(f.fingerId);
  std::optional<int> code;
  if (f.type == SDL_FINGERDOWN)
    code = touch_.down(finger, x, y, f.timestamp);
  else if (f.type == SDL_FINGERMOTION)
    code = touch_.move(finger, x, y, f.timestamp);
  else
    code = touch_.up(finger, x, y, f.timestamp);
  // A tap on "CC" is its click: SDL makes mouse events of the touch as well.
  const auto px = static_cast<int>(x), py = static_cast<int>(y);
  if (!code || (*code == key_space && window_.scaled().on(draw::cc_button(), px, py))) return;
  program.feed(now, Input::pressed(*code));
}

bool GameWindow::show(const ProgramView& view, bool whole) {
  picture_.show(view, window_.pressed());
  return window_.show(picture_, view.caption, whole);
}

}  // namespace glouton::platform
