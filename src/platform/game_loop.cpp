#include "platform/game_loop.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

#include "game/form_load.h"
#include "platform/canvas.h"
#include "platform/comfort_keys.h"
#include "platform/game_screen.h"
#include "platform/key_codes.h"
#include "platform/message_box.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"

namespace glouton::platform {

namespace {

// What one wake of the loop saw besides key presses.
struct Wake {
  bool close = false;    // the frame was closed
  bool quit = false;     // the session asked the program to end
  bool redraw = false;   // the window was exposed, resized or the button changed its look
  bool clicked = false;  // "CC" was clicked
};

class GameWindow {
 public:
  GameWindow(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound, Comforts& comforts,
             const RunMemory& memory, const GameWindowHooks& hooks)
      : hooks_(hooks),
        sound_(sound),
        comforts_(comforts),
        screen_(pictures, fonts),
        canvas_(pictures),
        boxes_(screen_.window()),
        form_(clock_, canvas_, sound, boxes_),
        session_(form_, clock_, [this](const EventRecord& record) { on_event(record); }) {
    memory.hand_to(form_);
  }

  WindowEnd run();
  const Form1& form() const { return form_; }

 private:
  std::int64_t real_ms() const { return static_cast<std::int64_t>(SDL_GetTicks64() - loaded_at_); }
  void on_event(const EventRecord& record);
  int wait_timeout() const;
  void handle(const SDL_Event& e, Wake& wake);
  void key_down(const SDL_KeyboardEvent& key);
  void press(int key_code);
  void present();

  const GameWindowHooks& hooks_;
  MixerDevice& sound_;
  Comforts& comforts_;
  GameScreen screen_;
  Canvas canvas_;
  MessageBoxes boxes_;
  Clock clock_;
  Form1 form_;
  Session session_;
  Uint64 loaded_at_ = 0;
  std::int64_t handler_start_ = 0;
  PushButton button_;  // "CC"
  HeldKeys held_keys_;
  bool first_frame_shown_ = false;
};

void GameWindow::on_event(const EventRecord& record) {
  if (hooks_.event) hooks_.event(form_, record, handler_start_);
  // The next handler of the same instant starts as this one's record is done.
  handler_start_ = real_ms();
}

int GameWindow::wait_timeout() const {
  std::optional<std::int64_t> due = session_.next_due();
  if (const std::optional<std::uint64_t> sound = sound_.wake_at(SDL_GetTicks64())) {
    const auto at = static_cast<std::int64_t>(*sound - loaded_at_);
    due = due ? std::min(*due, at) : at;
  }
  if (!due) return comforts_.controllers.wait_limit(-1);
  return comforts_.controllers.wait_limit(
      static_cast<int>(std::clamp<std::int64_t>(*due - real_ms(), 0, INT_MAX)));
}

void GameWindow::press(int key_code) {
  handler_start_ = real_ms();
  session_.key(key_code);
}

void GameWindow::key_down(const SDL_KeyboardEvent& key) {
  const bool repeat = key.repeat != 0;
  // A repeat that outlived its key's press (the focus went meanwhile) is no key.
  if (!held_keys_.press(key.keysym.scancode, repeat)) return;
  switch (comfort_of(key.keysym.sym, key.keysym.mod, repeat)) {
    case Comfort::fullscreen:
      screen_.toggle_fullscreen();
      break;
    case Comfort::mute:
      comforts_.sound.toggle();
      break;
    case Comfort::none:
      break;
  }
  // Still a key of the game, as every key is.
  const bool num_lock = (key.keysym.mod & KMOD_NUM) != 0;
  press(virtual_key_code(key.keysym.sym, key.keysym.scancode, num_lock));
}

void GameWindow::handle(const SDL_Event& e, Wake& wake) {
  switch (e.type) {
    case SDL_QUIT:
      wake.quit = true;
      break;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != screen_.window_id()) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) wake.close = true;
      if (needs_redraw(e.window)) wake.redraw = true;
      // The game goes on without the focus, but nothing held stays pressed.
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        held_keys_.forget();
        comforts_.controllers.focus_lost();
      }
      break;
    case SDL_KEYDOWN:
      key_down(e.key);
      break;
    case SDL_KEYUP:
      held_keys_.release(e.key.keysym.scancode);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERAXISMOTION:
      if (const std::optional<PadPress> pad = comforts_.controllers.handle(e))
        if (const std::optional<int> code = game_key_of(*pad)) press(*code);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: {
      const PushButton::Outcome out = button_.handle(e, screen_.window_id(), [this](int x, int y) {
        return screen_.on_button(screen_.to_canvas(x, y));
      });
      if (out.redraw) {
        screen_.set_button_pressed(button_.pressed());
        wake.redraw = true;
      }
      if (out.clicked) wake.clicked = true;
      break;
    }
    default:
      break;
  }
}

void GameWindow::present() {
  screen_.present(canvas_, form_);
  if (!first_frame_shown_) {
    first_frame_shown_ = true;
    if (hooks_.first_frame) hooks_.first_frame();
  }
}

WindowEnd GameWindow::run() {
  SDL_StopTextInput();  // keys only: no input method between the player and the game
  loaded_at_ = SDL_GetTicks64();
  clock_.now = 0;
  handler_start_ = 0;
  session_.load();
  screen_.show();
  present();
  if (hooks_.woke) hooks_.woke();

  while (!session_.ended()) {
    const int timeout = wait_timeout();
    SDL_Event e;
    const bool got = timeout < 0    ? SDL_WaitEvent(&e) != 0
                     : timeout == 0 ? SDL_PollEvent(&e) != 0
                                    : SDL_WaitEventTimeout(&e, timeout) != 0;
    clock_.now = real_ms();
    sound_.update();
    Wake wake;
    if (got) {
      handle(e, wake);
      while (!wake.close && !wake.quit && !session_.ended() && SDL_PollEvent(&e)) handle(e, wake);
    }
    if (wake.close || wake.quit) {
      if (!session_.ended()) Form_Unload(form_);
      if (hooks_.woke) hooks_.woke();
      return wake.quit ? WindowEnd::session_end : WindowEnd::closed;
    }
    if (wake.clicked && !session_.ended()) {
      present();  // the button shows raised again behind the box
      wake.redraw = false;
      Command1_Click(form_);
      clock_.now = real_ms();  // the box held the loop: its timers are late now
    }
    handler_start_ = real_ms();
    session_.run_due_timers();
    if (!session_.ended() &&
        (wake.redraw || canvas_.changed() || screen_.text_boxes_changed(form_)))
      present();
    if (hooks_.woke) hooks_.woke();
  }
  return form_.end_program ? WindowEnd::program_end : WindowEnd::closed;
}

}  // namespace

WindowEnd run_game_window(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                          Comforts& comforts, RunMemory& memory, const GameWindowHooks& hooks) {
  GameWindow window(pictures, fonts, sound, comforts, memory, hooks);
  const WindowEnd end = window.run();
  memory.keep_from(window.form());
  return end;
}

}  // namespace glouton::platform
