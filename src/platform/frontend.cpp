#include "platform/frontend.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>

#include "platform/canvas.h"
#include "platform/comfort_keys.h"
#include "platform/game_screen.h"
#include "platform/key_codes.h"
#include "platform/message_box.h"
#include "platform/push_button.h"
#include "platform/scaled_window.h"
#include "platform/title_screen.h"
#include "platform/touch.h"
#include "ports/keys.h"

namespace glouton::platform {

namespace {

// The game window the core has open: its screen, canvas and "CC" button.
struct GameView {
  GameView(const Pictures& pictures, const Fonts& fonts)
      : screen(pictures, fonts), canvas(pictures) {}
  GameScreen screen;
  Canvas canvas;
  PushButton button;  // "CC"
  bool shown = false;
};

class Frontend final : private ProgramHost {
 public:
  Frontend(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound, MusicDevice& music,
           Comforts& comforts, const FrontendHooks& hooks)
      : pictures_(pictures),
        fonts_(fonts),
        sound_(sound),
        comforts_(comforts),
        hooks_(hooks),
        program_(*this, sound, music, static_cast<bool>(hooks.replay_line)) {}

  void start(const std::vector<ReplayStep>* replay);
  bool wake();
  int wait_timeout() const;
  bool running() const {
    return player_ ? !replay_stopped_ && !player_->done() : !program_.ended();
  }

 private:
  // ProgramHost
  Surface& game_window_opened() override;
  void game_window_closed() override {
    game_.reset();
    touch_.cancel();
  }
  void game_event(const Form1& form, const EventRecord& record) override;
  void replay_line(std::string_view line) override {
    if (hooks_.replay_line) hooks_.replay_line(line);
  }

  std::int64_t real_ms() const { return static_cast<std::int64_t>(SDL_GetTicks64() - started_at_); }
  void handle(const SDL_Event& e);
  void handle_title(const SDL_Event& e);
  void handle_game(const SDL_Event& e);
  void key_down(const SDL_KeyboardEvent& key);
  // A key press of the game, from the keyboard or standing for one.
  void press_key(int code, int place, bool repeat, Comfort comfort);
  void finger(const SDL_TouchFingerEvent& f);

 public:
  // A key the page's buttons stand for, handled with the next wake's events.
  void press(int code) { presses_.push_back(code); }

 private:
  void show_box();
  void stop_replay() {
    replay_stopped_ = true;
    program_.quit(now_);
  }
  void sync_screens();
  // `whole`: the window is drawn anew, not only what changed.
  void present_game(bool whole);
  void present_title(bool whole);

  const Pictures& pictures_;
  const Fonts& fonts_;
  MixerDevice& sound_;
  Comforts& comforts_;
  const FrontendHooks& hooks_;
  Program program_;
  std::optional<ReplayPlayer> player_;  // a replay shown, the player's keys aside
  std::unique_ptr<TitleScreen> title_;
  PushButton go_button_;
  bool title_shown_ = false;
  bool title_first_frame_ = false;
  std::unique_ptr<GameView> game_;
  Uint64 started_at_ = 0;
  std::int64_t now_ = 0;          // the real time of the wake being handled
  std::int64_t game_loaded_ = 0;  // the real time the game window loaded
  std::int64_t handler_start_ = 0;
  bool replay_stopped_ = false;
  bool redraw_ = false;  // a window was exposed or resized, or a button changed its look
  TouchSteering touch_;
  std::vector<int> presses_;
};

Surface& Frontend::game_window_opened() {
  game_ = std::make_unique<GameView>(pictures_, fonts_);
  game_loaded_ = now_;
  handler_start_ = now_;
  return game_->canvas;
}

void Frontend::game_event(const Form1& form, const EventRecord& record) {
  if (hooks_.event) hooks_.event(form, record, handler_start_ - game_loaded_);
  // The next handler of the same wake starts as this one's record is done.
  handler_start_ = real_ms();
}

int Frontend::wait_timeout() const {
  std::optional<std::int64_t> due = player_ ? player_->next_wake() : program_.next_wake();
  if (game_) {
    if (const std::optional<std::uint64_t> sound = sound_.wake_at(SDL_GetTicks64())) {
      const auto at = static_cast<std::int64_t>(*sound - started_at_);
      due = due ? std::min(*due, at) : at;
    }
  }
  if (!due) return comforts_.controllers.wait_limit(-1);
  return comforts_.controllers.wait_limit(
      static_cast<int>(std::clamp<std::int64_t>(*due - real_ms(), 0, INT_MAX)));
}

void Frontend::key_down(const SDL_KeyboardEvent& key) {
  const bool repeat = key.repeat != 0;
  const bool num_lock = (key.keysym.mod & KMOD_NUM) != 0;
  const int code = virtual_key_code(key.keysym.sym, key.keysym.scancode, num_lock);
  const int place = key.keysym.scancode > SDL_SCANCODE_UNKNOWN ? key.keysym.scancode : -1;
  press_key(code, place, repeat, comfort_of(key.keysym.sym, key.keysym.mod, repeat));
}

void Frontend::press_key(int code, int place, bool repeat, Comfort comfort) {
  switch (comfort) {
    case Comfort::fullscreen:
      if (game_)
        game_->screen.toggle_fullscreen();
      else if (title_)
        title_->toggle_fullscreen();
      break;
    case Comfort::mute:
      comforts_.sound.toggle();
      break;
    case Comfort::none:
      break;
  }
  if (player_) {
    // A replay shown: the player's Escape ends it, and no other key counts.
    if (code == key_escape && !repeat) stop_replay();
    return;
  }
  program_.key(now_, KeyInput{code, place, repeat, comfort != Comfort::none});
}

void Frontend::finger(const SDL_TouchFingerEvent& f) {
  GameView& g = *game_;
  // SDL gives the finger's place as a share of the window: in CSS pixels.
  int w = 0, h = 0;
  SDL_GetWindowSize(g.screen.window(), &w, &h);
  const double fx = f.x * static_cast<double>(w), fy = f.y * static_cast<double>(h);
  const double ratio = css_pixel_ratio();
  const double x = fx / ratio, y = fy / ratio;
  const auto id = static_cast<std::int64_t>(f.fingerId);
  std::optional<int> code;
  if (f.type == SDL_FINGERDOWN)
    code = touch_.down(id, x, y, f.timestamp);
  else if (f.type == SDL_FINGERMOTION)
    code = touch_.move(id, x, y, f.timestamp);
  else
    code = touch_.up(id, x, y, f.timestamp);
  if (!code) return;
  // A tap on "CC" is its click: SDL makes mouse events of the touch as well.
  const Point at = g.screen.to_canvas(static_cast<int>(fx), static_cast<int>(fy));
  if (*code == key_space && g.screen.on_button(at)) return;
  press_key(*code, -1, false, Comfort::none);
}

void Frontend::handle_title(const SDL_Event& e) {
  const Uint32 id = title_->window_id();
  switch (e.type) {
    case SDL_WINDOWEVENT:
      if (e.window.windowID != id) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) program_.close(now_);
      if (needs_redraw(e.window)) redraw_ = true;
      break;
    case SDL_KEYDOWN:
      // Keys with no window: the keyboard focus is nowhere SDL knows of.
      if (e.key.windowID != id && e.key.windowID != 0) break;
      key_down(e.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: {
      const PushButton::Outcome out =
          go_button_.handle(e, id, [this](int x, int y) { return title_->on_button(x, y); });
      if (out.redraw) {
        title_->set_button_pressed(go_button_.pressed());
        redraw_ = true;
      }
      if (out.clicked) program_.go_clicked(now_);
      break;
    }
    default:
      break;
  }
}

void Frontend::handle_game(const SDL_Event& e) {
  GameView& g = *game_;
  switch (e.type) {
    case SDL_WINDOWEVENT:
      if (e.window.windowID != g.screen.window_id()) break;
      if (needs_redraw(e.window)) redraw_ = true;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (player_)
          stop_replay();
        else
          program_.close(now_);
      }
      break;
    case SDL_KEYDOWN:
      key_down(e.key);
      break;
    case SDL_KEYUP:
      program_.key_released(static_cast<int>(e.key.keysym.scancode));
      break;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      // Touches of another window (the title, hidden) are not the game's.
      if (e.tfinger.windowID == g.screen.window_id()) finger(e.tfinger);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: {
      const PushButton::Outcome out = g.button.handle(e, g.screen.window_id(), [&g](int x, int y) {
        return g.screen.on_button(g.screen.to_canvas(x, y));
      });
      if (out.redraw) {
        g.screen.set_button_pressed(g.button.pressed());
        redraw_ = true;
      }
      if (out.clicked && !player_) program_.cc_clicked(now_);
      break;
    }
    default:
      break;
  }
}

void Frontend::handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:  // the session's end; SDL turns SIGTERM and SIGINT into it too
      if (player_)
        stop_replay();
      else
        program_.quit(now_);
      return;
    case SDL_WINDOWEVENT:
      // The game goes on without the focus, but nothing held stays pressed.
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        program_.focus_lost();
        comforts_.controllers.focus_lost();
      }
      break;
    case SDL_AUDIODEVICEREMOVED:
      // The program opens one output and no capture device.
      if (!e.adevice.iscapture && hooks_.audio_lost) hooks_.audio_lost();
      return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERAXISMOTION:
      if (const std::optional<PadPress> pad = comforts_.controllers.handle(e))
        if (!player_) program_.pad(now_, *pad);
      return;
    default:
      break;
  }
  if (game_)
    handle_game(e);
  else if (title_ && title_shown_)
    handle_title(e);
}

void Frontend::present_game(bool whole) {
  GameView& g = *game_;
  if (const Form1* form = program_.game()) g.screen.present(g.canvas, *form, whole);
  if (!g.shown) {
    g.shown = true;
    if (hooks_.game_first_frame) hooks_.game_first_frame();
  }
}

void Frontend::present_title(bool whole) {
  title_->present(whole);
  if (!title_first_frame_) {
    title_first_frame_ = true;
    if (hooks_.title_first_frame) hooks_.title_first_frame();
  }
}

void Frontend::sync_screens() {
  if (game_) {
    if (title_shown_) {
      // The title takes no input while the game window is open: it is not shown.
      title_->hide();
      go_button_.release();
      title_->set_button_pressed(false);
      title_shown_ = false;
    }
    const Form1* form = program_.game();
    if (!game_->shown) {
      game_->screen.show();
      present_game(true);
    } else if (form &&
               (redraw_ || game_->canvas.changed() || game_->screen.text_boxes_changed(*form))) {
      present_game(redraw_);
    }
  } else if (title_ && program_.showing() == Showing::title) {
    title_->drawing().place_face(program_.title().image1_left, program_.title().image1_top);
    if (!title_shown_) {
      title_shown_ = true;
      title_->show();
      present_title(true);
    } else if (redraw_ || title_->drawing().changed()) {
      present_title(redraw_);
    }
  }
  redraw_ = false;
}

void Frontend::show_box() {
  const std::optional<InformationBox> box = program_.information_box();
  if (!box || !game_) return;
  if (player_) return;  // a replay plays on to the recorded close of the box
  present_game(true);   // the button shows raised again behind the box
  MessageBoxes(game_->screen.window()).MsgBox(box->prompt, box->title);
  // The box held the loop: the timers that fell due meanwhile are late now.
  now_ = real_ms();
  handler_start_ = now_;
  program_.information_closed(now_);
  program_.advance(now_);
}

void Frontend::start(const std::vector<ReplayStep>* replay) {
  SDL_StopTextInput();  // keys only: no input method between the player and the game
  started_at_ = SDL_GetTicks64();
  now_ = 0;
  if (replay) {
    player_.emplace(program_, *replay, now_);
    player_->advance(now_);
  } else {
    title_ = std::make_unique<TitleScreen>(pictures_, fonts_);
    program_.start(now_);
  }
  sync_screens();
  if (hooks_.woke) hooks_.woke();
}

bool Frontend::wake() {
  now_ = real_ms();
  handler_start_ = now_;
  sound_.update();
  SDL_Event e;
  while (running() && SDL_PollEvent(&e)) handle(e);
  // The page's buttons, after the events that came before them ('M', 77: the sound switch).
  for (std::size_t i = 0; i < presses_.size() && running(); ++i)
    press_key(presses_[i], -1, false, presses_[i] == 'M' ? Comfort::mute : Comfort::none);
  presses_.clear();
  if (running()) {
    if (player_)
      player_->advance(now_);
    else
      program_.advance(now_);
    show_box();
    sync_screens();
  }
  if (hooks_.woke) hooks_.woke();
  return running();
}

}  // namespace

struct ProgramRun::Parts {
  Frontend frontend;
};

ProgramRun::ProgramRun(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                       MusicDevice& music, Comforts& comforts, const FrontendHooks& hooks,
                       const std::vector<ReplayStep>* replay)
    : parts_(new Parts{Frontend(pictures, fonts, sound, music, comforts, hooks)}) {
  parts_->frontend.start(replay);
}

ProgramRun::~ProgramRun() = default;

bool ProgramRun::wake() {
  return parts_->frontend.wake();
}

void ProgramRun::press(int code) {
  parts_->frontend.press(code);
}

int ProgramRun::wait_timeout() const {
  return parts_->frontend.wait_timeout();
}

bool ProgramRun::running() const {
  return parts_->frontend.running();
}

void run_program(const Pictures& pictures, const Fonts& fonts, MixerDevice& sound,
                 MusicDevice& music, Comforts& comforts, const FrontendHooks& hooks,
                 const std::vector<ReplayStep>* replay) {
  ProgramRun run(pictures, fonts, sound, music, comforts, hooks, replay);
  // Sleeps until an event comes or the core or a sound next needs a wake.
  for (bool running = run.running(); running; running = run.wake()) {
    const int timeout = run.wait_timeout();
    if (timeout < 0)
      SDL_WaitEvent(nullptr);
    else if (timeout > 0)
      SDL_WaitEventTimeout(nullptr, timeout);
  }
}

}  // namespace glouton::platform
