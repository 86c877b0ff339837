#include "web/page_run.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "ports/keys.h"
#include "web/page_input.h"

namespace glouton::web {

// clang-format off
// The "CC" box: the browser's own, which holds the page until it is closed.
EM_JS(void, show_message, (const char* title, const char* prompt), {
  alert(UTF8ToString(title) + "\n\n" + UTF8ToString(prompt));
});
EM_JS(void, toggle_fullscreen, (), {
  if (Module['toggleFullscreen']) Module['toggleFullscreen']();
});
// clang-format on

namespace {

// A controller is read this often while one is plugged in: the Gamepad API tells of no press.
constexpr int pad_poll_ms = 16;

std::string plain_line_ends(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  return out;
}

// A finger is no mouse pointer: a button answers it within this many CSS
// pixels each way, centred on it, the button's own rectangle where larger.
// The title has only "GO !" and the game only "CC", so zones never overlap.
constexpr double finger_zone_css = 44;

PixelRect finger_zone(const PixelRect& button, double css_per_pixel) {
  if (css_per_pixel <= 0) return button;
  const int least = static_cast<int>(std::ceil(finger_zone_css / css_per_pixel));
  const int more_w = std::max(0, least - button.w);
  const int more_h = std::max(0, least - button.h);
  return {button.x - more_w / 2, button.y - more_h / 2, button.w + more_w, button.h + more_h};
}

}  // namespace

PageRun::PageRun(Canvas& canvas, WebSound& sound, WebMusic& music, const PageHooks& hooks,
                 const std::vector<ReplayStep>* replay)
    : FrontendHost(hooks),
      canvas_(canvas),
      sound_(sound),
      hooks_(hooks),
      program_(*this, sound, music,
               {static_cast<bool>(hooks.replay_line), static_cast<bool>(hooks.trace_line)}),
      started_at_(emscripten_get_now()) {
  if (replay)
    program_.watch_replay(now_, *replay);
  else
    program_.start(now_);
  canvas_.refit();  // the page may have changed size since the last run
  show();
  schedule();
}

PageRun::~PageRun() {
  if (timeout_ != 0) emscripten_clear_timeout(timeout_);
}

std::int64_t PageRun::real_ms() const {
  return static_cast<std::int64_t>(emscripten_get_now() - started_at_);
}

Surface& PageRun::game_window_opened() {
  game_ = std::make_unique<draw::GamePicture>();
  game_seen_ = false;
  button_pressed_ = false;
  touch_.cancel();
  game_loaded();
  return *game_;
}

Surface& PageRun::game_window_blanked() {
  if (!game_) return game_window_opened();
  game_->clear();
  game_loaded();
  return *game_;
}

void PageRun::feed(const Input& input) {
  if (!running()) return;
  begin();
  program_.feed(now_, input);
  wake();
}

void PageRun::key(int code, int place, bool repeat, bool alt) {
  // A held key's repeats ask nothing: a key switches once however long it is down.
  const bool mute = code == 'M' && !repeat;
  const bool fullscreen = alt && code == key_enter && !repeat;
  if (mute) toggle_mute();
  if (fullscreen) toggle_fullscreen();
  feed(Input::pressed(code, place, repeat, mute || fullscreen));
}

void PageRun::finger(Finger what, std::int64_t id, double css_x, double css_y) {
  if (!running()) return;
  const auto ms = static_cast<std::int64_t>(emscripten_get_now());
  if (what == Finger::cancel) {
    touch_.cancel();
    return press_button(false);
  }
  // On the title a finger is the mouse: "GO !" pressed as it touches, clicked as it lifts in its
  // zone.
  if (!game_) {
    if (what == Finger::move) return;
    return click(what == Finger::down, css_x, css_y, true);
  }
  std::optional<int> code = what == Finger::down   ? touch_.down(id, css_x, css_y, ms)
                            : what == Finger::move ? touch_.move(id, css_x, css_y, ms)
                                                   : touch_.up(id, css_x, css_y, ms);
  // A tap in the zone of "CC" is its click, and no key.
  if (code == key_space && on_button(css_x, css_y, true)) {
    begin();
    program_.feed(now_, Input::cc);
    return wake();
  }
  if (code) feed(Input::pressed(*code));
}

bool PageRun::on_button(double css_x, double css_y, bool finger) const {
  const Point p = canvas_.to_picture(css_x, css_y);
  const PixelRect button = game_ ? draw::cc_button() : draw::go_button();
  return (finger ? finger_zone(button, canvas_.css_per_pixel()) : button).contains(p.x, p.y);
}

void PageRun::press_button(bool pressed) {
  if (button_pressed_ == pressed) return;
  button_pressed_ = pressed;
  show();
}

void PageRun::click(bool down, double css_x, double css_y, bool finger) {
  if (!running()) return;
  const bool on = on_button(css_x, css_y, finger);
  if (down) return press_button(on);
  const bool clicked = button_pressed_ && on;
  press_button(false);
  if (!clicked) return;
  begin();
  program_.feed(now_, game_ ? Input::cc : Input::go);
  wake();
}

void PageRun::refit() {
  if (canvas_.refit()) show();
}

void PageRun::wake() {
  if (!running()) return hooks_.ended();
  if (pads_connected())
    for (const PadPress press : poll_pads()) program_.feed(now_, Input::from_pad(press));
  sound_.update(emscripten_get_now());
  if (running()) {
    program_.advance(now_);
    show();
  }
  if (!running()) {
    if (hooks_.viewer) hooks_.viewer(std::nullopt);
    return hooks_.ended();
  }
  schedule();
}

void PageRun::schedule() {
  // Timeouts, not animation frames: a hidden page gets no frames, and the
  // game goes on there as on the desktop (slowed to the one timeout a second
  // browsers allow a hidden page; late timers run once).
  std::optional<std::int64_t> due = program_.next_wake();
  if (const std::optional<double> sound = sound_.wake_at(emscripten_get_now())) {
    const auto at = static_cast<std::int64_t>(*sound - started_at_);
    due = due ? std::min(*due, at) : at;
  }
  int ms = due ? static_cast<int>(std::clamp<std::int64_t>(*due - real_ms(), 0, INT_MAX)) : -1;
  if (pads_connected()) ms = ms < 0 ? pad_poll_ms : std::min(ms, pad_poll_ms);
  if (timeout_ != 0) emscripten_clear_timeout(timeout_);
  timeout_ = 0;
  if (ms < 0) return;
  timeout_ = emscripten_set_timeout(
      [](void* run) {
        auto* self = static_cast<PageRun*>(run);
        self->timeout_ = 0;
        self->begin();
        self->wake();
      },
      ms, this);
}

void PageRun::show() {
  const ViewChanges changes = program_.take_changes();
  const ProgramView& view = program_.view();
  draw::WindowPicture* picture = nullptr;
  bool first = false;
  if (view.window == Showing::game && game_) {
    game_->show(view, button_pressed_);
    picture = game_.get();
    first = !std::exchange(game_seen_, true);
  } else if (view.window == Showing::title) {
    if (!title_) title_ = std::make_unique<draw::TitlePicture>();
    title_->show(view, button_pressed_);
    picture = title_.get();
    first = !std::exchange(title_seen_, true);
  }
  if (picture) {
    if (picture != on_canvas_) canvas_.redraw();
    on_canvas_ = picture;
    canvas_.show(picture->pixels(), picture->take_changed());
    if (first && picture == game_.get() && hooks_.game_first_frame) hooks_.game_first_frame();
    if (first && picture == title_.get() && hooks_.title_first_frame) hooks_.title_first_frame();
  }
  if (hooks_.viewer && view.viewer != viewer_shown_) {
    viewer_shown_ = view.viewer;
    hooks_.viewer(viewer_shown_);
  }
  if (view.box && changes.box) show_box();
}

// The "CC" box holds the page until it is closed, as a modal box does.
void PageRun::show_box() {
  const InformationBox box = *program_.view().box;
  show_message(std::string(box.title).c_str(), plain_line_ends(box.prompt).c_str());
  // The timers that fell due meanwhile are late now.
  begin();
  program_.feed(now_, Input::ok);
  program_.advance(now_);
  show();
}

}  // namespace glouton::web
