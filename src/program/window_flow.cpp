#include "program/window_flow.h"

namespace glouton {

void WindowFlow::start() {
  if (started_) return;
  started_ = true;
  titled_ = true;
  Form_Load(title_);
  showing_ = Showing::title;
}

void WindowFlow::start_without_title() {
  started_ = true;
  titled_ = false;
  showing_ = Showing::game;
}

void WindowFlow::restart() {
  showing_ = Showing::nothing;
  started_ = titled_ = false;
  memory = RunMemory{};
}

void WindowFlow::title_handled() {
  if (showing_ != Showing::title || !title_.go_pressed) return;
  // Taken: a later "GO !" asks again.
  title_.go_pressed = false;
  showing_ = Showing::game;
}

void WindowFlow::title_closed() {
  if (showing_ != Showing::title) return;
  Form_Unload(title_);
  showing_ = Showing::nothing;
}

void WindowFlow::game_ended(GameEnd end) {
  if (showing_ != Showing::game) return;
  switch (end) {
    case GameEnd::frame_closed:
      // Still and silent: nothing starts the face or the music again.
      showing_ = titled_ ? Showing::title : Showing::nothing;
      break;
    case GameEnd::quit:
      if (titled_) Form_Unload(title_);
      showing_ = Showing::nothing;
      break;
    case GameEnd::escape:
      // The game ends the program as it stands: no other window unloads.
      showing_ = Showing::nothing;
      break;
  }
}

}  // namespace glouton
