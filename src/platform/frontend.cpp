#include "platform/frontend.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

#include "platform/key_codes.h"
#include "platform/message_box.h"

namespace glouton::platform {

std::int64_t Frontend::real_ms() const {
  return static_cast<std::int64_t>(SDL_GetTicks64() - started_at_);
}

Frontend::Frontend(Devices& devices, const FrontendHooks& hooks,
                   const std::vector<ReplayStep>* replay)
    : FrontendHost(hooks),
      devices_(devices),
      hooks_(hooks),
      program_(*this, devices.sound, devices.music,
               {static_cast<bool>(hooks.replay_line), static_cast<bool>(hooks.trace_line)}),
      started_at_(SDL_GetTicks64()) {
  SDL_StopTextInput();  // keys only: no input method between the player and the game
  if (replay)
    program_.watch_replay(now_, *replay);
  else
    program_.start(now_);
  show();
  if (hooks_.woke) hooks_.woke();
}

Surface& Frontend::game_window_opened() {
  game_ = std::make_unique<GameWindow>();
  game_loaded();
  return game_->canvas();
}

Surface& Frontend::game_window_blanked() {
  if (!game_) return game_window_opened();
  game_->blank();
  game_loaded();
  return game_->canvas();
}

int Frontend::wait_timeout() const {
  std::optional<std::int64_t> due = program_.next_wake();
  if (const std::optional<std::uint64_t> sound = devices_.sound.wake_at(SDL_GetTicks64())) {
    const auto at = static_cast<std::int64_t>(*sound - started_at_);
    due = due ? std::min(*due, at) : at;
  }
  const int ms =
      due ? static_cast<int>(std::clamp<std::int64_t>(*due - real_ms(), 0, INT_MAX)) : -1;
  return devices_.controllers.wait_limit(ms);
}

void Frontend::key(int code, int place, bool repeat, Comfort comfort) {
  if (comfort == Comfort::fullscreen) {
    if (game_)
      game_->toggle_fullscreen();
    else if (title_)
      title_->toggle_fullscreen();
  } else if (comfort == Comfort::mute) {
    devices_.sound_switch.toggle();
  }
  program_.feed(now_, Input::pressed(code, place, repeat, comfort != Comfort::none));
}

void Frontend::handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:  // the session's end; SDL turns SIGTERM and SIGINT into it too
      return program_.feed(now_, Input::quit);
    case SDL_KEYDOWN: {
      // The title takes keys while it has the focus, or while no window has it.
      if (!game_ && title_ && e.key.windowID != title_->id() && e.key.windowID != 0) return;
      const SDL_Keysym& k = e.key.keysym;
      const bool repeat = e.key.repeat != 0;
      const int code = virtual_key_code(k.sym, k.scancode, (k.mod & KMOD_NUM) != 0);
      return key(code, k.scancode > SDL_SCANCODE_UNKNOWN ? k.scancode : -1, repeat,
                 comfort_of(k.sym, k.mod, repeat));
    }
    case SDL_KEYUP:
      return program_.feed(now_, Input::released(static_cast<int>(e.key.keysym.scancode)));
    case SDL_WINDOWEVENT:
      // The game goes on without the focus, but nothing held stays pressed.
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        program_.feed(now_, Input::focus_lost);
        devices_.controllers.focus_lost();
      }
      break;
    case SDL_AUDIODEVICEREMOVED:
      // The program opens one output and no capture device.
      if (!e.adevice.iscapture) devices_.audio.lost();
      return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERAXISMOTION:
      if (const std::optional<PadPress> pad = devices_.controllers.handle(e))
        program_.feed(now_, Input::from_pad(*pad));
      return;
    default:
      break;
  }
  if (game_)
    game_->handle(e, program_, now_);
  else if (title_)
    title_->handle(e, program_, now_);
}

void Frontend::show() {
  const ViewChanges changes = program_.take_changes();
  const ProgramView& view = program_.view();
  if (view.window == Showing::game && game_) {
    if (title_) title_->hide();
    if (game_->show(view, view.box.has_value()) && hooks_.game_first_frame)
      hooks_.game_first_frame();
  } else if (view.window == Showing::title) {
    if (!title_) title_ = std::make_unique<TitleWindow>();
    if (title_->show(view) && !title_seen_) {
      title_seen_ = true;
      if (hooks_.title_first_frame) hooks_.title_first_frame();
    }
  }
  if (view.box && changes.box) show_box();
}

// The "CC" box holds the loop until it is closed, as a modal box does.
void Frontend::show_box() {
  MessageBoxes(game_->window()).MsgBox(program_.view().box->prompt, program_.view().box->title);
  // The timers that fell due meanwhile are late now.
  begin();
  program_.feed(now_, Input::ok);
  program_.advance(now_);
  show();
}

bool Frontend::wake() {
  begin();
  devices_.sound.update();
  SDL_Event e;
  while (running() && SDL_PollEvent(&e)) handle(e);
  if (running()) {
    program_.advance(now_);
    show();
  }
  if (hooks_.woke) hooks_.woke();
  return running();
}

void run(Devices& devices, const FrontendHooks& hooks, const std::vector<ReplayStep>* replay) {
  Frontend frontend(devices, hooks, replay);
  // Sleeps until an event comes or the core or a sound next needs a wake.
  for (bool running = frontend.running(); running; running = frontend.wake()) {
    const int timeout = frontend.wait_timeout();
    if (timeout < 0)
      SDL_WaitEvent(nullptr);
    else if (timeout > 0)
      SDL_WaitEventTimeout(nullptr, timeout);
  }
}

}  // namespace glouton::platform
