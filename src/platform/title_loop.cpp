#include "platform/title_loop.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/comfort_keys.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"
#include "platform/title_screen.h"
#include "title/program_flow.h"

namespace glouton::platform {

namespace {

// What one wake of the title's loop saw.
struct Wake {
  bool close = false;   // the frame was closed, or the session ends
  bool go = false;      // "GO !" was clicked, or its key pressed
  bool redraw = false;  // the window was exposed or resized, or the button changed its look
};

GameEnd game_end_of(WindowEnd end) {
  switch (end) {
    case WindowEnd::program_end:
      return GameEnd::escape;
    case WindowEnd::session_end:
      return GameEnd::session_end;
    case WindowEnd::closed:
      break;
  }
  return GameEnd::frame_closed;
}

class TitleWindow {
 public:
  TitleWindow(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound, MusicDevice& music,
              Comforts& comforts, const GameWindowHooks& game_hooks, const TitleHooks& hooks)
      : pictures_(pictures),
        fonts_(fonts),
        sound_(sound),
        comforts_(comforts),
        game_hooks_(game_hooks),
        hooks_(hooks),
        screen_(pictures, fonts),
        form_(clock_, music),
        flow_(form_) {}

  void run();

 private:
  std::int64_t real_ms() const { return static_cast<std::int64_t>(SDL_GetTicks64() - loaded_at_); }
  int wait_timeout() const;
  void handle(const SDL_Event& e, Wake& wake);
  void present();
  void play_game();

  const Pictures& pictures_;
  const Fonts& fonts_;
  MixerDevice& sound_;
  Comforts& comforts_;
  const GameWindowHooks& game_hooks_;
  const TitleHooks& hooks_;
  TitleScreen screen_;
  Clock clock_;  // ms since the title window loaded
  Form2 form_;
  ProgramFlow flow_;
  PushButton button_;  // "GO !"
  Uint64 loaded_at_ = 0;
  bool first_frame_shown_ = false;
};

int TitleWindow::wait_timeout() const {
  if (!form_.Timer1.Enabled()) return comforts_.controllers.wait_limit(-1);
  return comforts_.controllers.wait_limit(
      static_cast<int>(std::clamp<std::int64_t>(form_.Timer1.due() - real_ms(), 0, INT_MAX)));
}

void TitleWindow::handle(const SDL_Event& e, Wake& wake) {
  const Uint32 id = screen_.window_id();
  switch (e.type) {
    case SDL_QUIT:
      wake.close = true;
      break;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != id) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) wake.close = true;
      if (needs_redraw(e.window)) wake.redraw = true;
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) comforts_.controllers.focus_lost();
      break;
    case SDL_KEYDOWN:
      // Keys with no window: the keyboard focus is nowhere SDL knows of.
      if (e.key.windowID != id && e.key.windowID != 0) break;
      switch (title_key(e.key.keysym.sym, e.key.keysym.mod, e.key.repeat != 0)) {
        case TitleKey::go:
          wake.go = true;
          break;
        case TitleKey::fullscreen:
          screen_.toggle_fullscreen();
          break;
        case TitleKey::mute:
          comforts_.sound.toggle();
          break;
        case TitleKey::none:
          break;
      }
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERAXISMOTION:
      if (const std::optional<PadPress> pad = comforts_.controllers.handle(e))
        if (presses_go(*pad)) wake.go = true;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: {
      const PushButton::Outcome out =
          button_.handle(e, id, [this](int x, int y) { return screen_.on_button(x, y); });
      if (out.redraw) {
        screen_.set_button_pressed(button_.pressed());
        wake.redraw = true;
      }
      if (out.clicked) wake.go = true;
      break;
    }
    default:
      break;
  }
}

void TitleWindow::present() {
  screen_.present();
  if (!first_frame_shown_) {
    first_frame_shown_ = true;
    if (hooks_.first_frame) hooks_.first_frame();
  }
}

void TitleWindow::play_game() {
  // The title takes no input while the game window is open: it is not shown.
  screen_.hide();
  button_.release();
  screen_.set_button_pressed(false);
  const WindowEnd end =
      run_game_window(pictures_, fonts_, sound_, comforts_, flow_.memory, game_hooks_);
  flow_.game_ended(game_end_of(end));
  if (flow_.showing() != Showing::title) return;
  clock_.now = real_ms();
  screen_.show();
  present();
}

void TitleWindow::run() {
  SDL_StopTextInput();  // keys only: no input method between the player and "GO !"
  loaded_at_ = SDL_GetTicks64();
  clock_.now = 0;
  flow_.start();  // the music starts
  screen_.show();
  present();

  while (!flow_.ended()) {
    const int timeout = wait_timeout();
    SDL_Event e;
    const bool got = timeout < 0    ? SDL_WaitEvent(&e) != 0
                     : timeout == 0 ? SDL_PollEvent(&e) != 0
                                    : SDL_WaitEventTimeout(&e, timeout) != 0;
    clock_.now = real_ms();
    Wake wake;
    if (got) {
      handle(e, wake);
      while (!wake.close && SDL_PollEvent(&e)) handle(e, wake);
    }
    if (wake.close) {
      flow_.title_closed();
      break;
    }
    if (wake.go) {
      Command1_Click(form_);
      flow_.title_handled();
    }
    if (form_.Timer1.is_due()) {
      form_.Timer1.ticked();  // before the handler, as the game's timers
      Timer1_Timer(form_);
    }
    if (flow_.showing() == Showing::game) {
      play_game();
      continue;
    }
    screen_.drawing().place_face(form_.image1_left, form_.image1_top);
    if (wake.redraw || screen_.drawing().changed()) present();
  }
}

}  // namespace

void run_program(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                 MusicDevice& music, Comforts& comforts, const GameWindowHooks& game_hooks,
                 const TitleHooks& title_hooks) {
  TitleWindow title(pictures, fonts, sound, music, comforts, game_hooks, title_hooks);
  title.run();
}

}  // namespace glouton::platform
