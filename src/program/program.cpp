#include "program/program.h"

#include "game/form_load.h"
#include "player/glouton.h"

namespace glouton {

// One game window: its clock counts from its own load.
struct Program::GameWindow {
  GameWindow(Surface& surface, SoundDevice& sound, Dialogs& boxes, Session::Listener listener,
             std::int64_t loaded_at)
      : origin(loaded_at), form(clock, surface, sound, boxes), session(form, clock, listener) {}

  std::int64_t origin;
  Clock clock;
  Form1 form;
  Session session;
};

// The "CC" box as the game asks for it: asked here, shown by the frontend,
// which tells when it closes. Until then no timer of the game runs, as when
// a modal box holds a window's loop.
class Program::BoxRequest final : public Dialogs {
 public:
  void MsgBox(std::string_view prompt, std::string_view title) override {
    box = InformationBox{prompt, title};
  }
  std::optional<InformationBox> box;
};

Program::Program(ProgramHost& host, SoundDevice& sound, MusicDevice& music, bool record)
    : host_(host),
      sound_(sound),
      record_(record),
      title_(title_clock_, music),
      flow_(title_),
      box_(std::make_unique<BoxRequest>()) {}

Program::~Program() = default;

const Form1* Program::game() const {
  return game_ ? &game_->form : nullptr;
}

const Form1* Program::last_game() const {
  if (game_) return &game_->form;
  return ended_game_ ? &ended_game_->form : nullptr;
}

std::optional<InformationBox> Program::information_box() const {
  return game_ ? box_->box : std::nullopt;
}

void Program::start(std::int64_t now) {
  title_origin_ = now;
  title_clock_.now = 0;
  title_shown_ = true;
  flow_.start();
}

void Program::open_game(std::int64_t now) {
  if (game_) return;
  if (!title_shown_) flow_.start_without_title();
  box_->box.reset();
  held_.reset();
  ended_game_.reset();
  game_ = std::make_unique<GameWindow>(
      host_.game_window_opened(), sound_, *box_,
      [this](const EventRecord& record) {
        line_ran_ = true;
        host_.game_event(game_->form, record);
      },
      now);
  flow_.memory.hand_to(game_->form);
  if (record_) host_.replay_line("load");
  game_->clock.now = 0;
  game_->session.load();
  if (game_->session.ended()) game_ended(GameEnd::escape);
}

void Program::go(std::int64_t now) {
  if (showing() != Showing::title) return;
  Command1_Click(title_);
  flow_.title_handled();
  if (showing() == Showing::game) open_game(now);
}

void Program::note(std::int64_t now, std::string_view token) {
  if (!record_ || !game_) return;
  const std::int64_t t = now - game_->origin;
  if (line_t_ && *line_t_ != t) end_wake();
  line_t_ = t;
  if (token.empty()) return;
  line_ += ' ';
  line_ += token;
}

void Program::end_wake() {
  if (!record_) return;
  if (line_t_ && (line_ran_ || !line_.empty())) host_.replay_line(std::to_string(*line_t_) + line_);
  line_t_.reset();
  line_.clear();
  line_ran_ = false;
}

void Program::game_key(std::int64_t now, int code) {
  note(now, record_ ? "key " + std::to_string(code) : std::string());
  GameWindow& g = *game_;
  g.clock.now = now - g.origin;
  // The ticks that fell due before this millisecond come before its keys.
  g.session.run_due_timers(true);
  if (!g.session.ended()) g.session.key(code);
  if (g.session.ended()) game_ended(g.form.end_program ? GameEnd::escape : GameEnd::frame_closed);
}

void Program::key(std::int64_t now, const KeyInput& key) {
  const bool placed = key.place >= 0 && key.place < static_cast<int>(held_.size());
  const auto place = static_cast<std::size_t>(key.place);
  if (showing() == Showing::title) {
    if (!key.repeat && !key.comfort && (key.code == key_enter || key.code == key_space)) go(now);
    return;
  }
  if (!game_ || box_->box) return;
  // A repeat that outlived its key's press (the focus went meanwhile) is no key.
  if (placed) {
    if (key.repeat && !held_.test(place)) return;
    held_.set(place);
  }
  game_key(now, key.code);
}

void Program::key_released(int place) {
  if (place >= 0 && place < static_cast<int>(held_.size()))
    held_.reset(static_cast<std::size_t>(place));
}

void Program::focus_lost() {
  held_.reset();
}

void Program::pad(std::int64_t now, PadPress press) {
  if (showing() == Showing::title) {
    if (press == PadPress::south) go(now);
    return;
  }
  if (!game_ || box_->box) return;
  switch (press) {
    case PadPress::left:
      return game_key(now, key_left);
    case PadPress::up:
      return game_key(now, key_up);
    case PadPress::right:
      return game_key(now, key_right);
    case PadPress::down:
      return game_key(now, key_down);
    case PadPress::east:
      return game_key(now, key_space);
    case PadPress::south:
      return;
  }
}

void Program::go_clicked(std::int64_t now) {
  go(now);
}

void Program::cc_clicked(std::int64_t now) {
  if (!game_ || box_->box) return;
  note(now, "cc");
  GameWindow& g = *game_;
  g.clock.now = now - g.origin;
  g.session.run_due_timers(true);
  if (!g.session.ended()) Command1_Click(g.form);
}

void Program::information_closed(std::int64_t now) {
  if (!game_ || !box_->box) return;
  note(now, "ok");
  box_->box.reset();
}

void Program::close(std::int64_t now) {
  end_window(now, "close", GameEnd::frame_closed);
}

void Program::quit(std::int64_t now) {
  end_window(now, "quit", GameEnd::session_end);
}

void Program::end_window(std::int64_t now, std::string_view token, GameEnd end) {
  if (showing() == Showing::title) {
    flow_.title_closed();
    return;
  }
  if (!game_) return;
  note(now, token);
  box_->box.reset();
  Form_Unload(game_->form);
  game_ended(end);
}

void Program::game_ended(GameEnd end) {
  end_wake();
  flow_.memory.keep_from(game_->form);
  ended_game_ = std::move(game_);
  host_.game_window_closed();
  flow_.game_ended(end);
}

void Program::advance(std::int64_t now) {
  if (showing() == Showing::title) {
    title_clock_.now = now - title_origin_;
    if (title_.Timer1.is_due()) {
      title_.Timer1.ticked();  // before the handler, as the game's timers
      Timer1_Timer(title_);
    }
    return;
  }
  if (!game_) return;
  GameWindow& g = *game_;
  note(now, {});
  if (!box_->box) {
    g.clock.now = now - g.origin;
    g.session.run_due_timers();
  }
  if (g.session.ended()) {
    game_ended(g.form.end_program ? GameEnd::escape : GameEnd::frame_closed);
    return;
  }
  end_wake();
}

std::optional<std::int64_t> Program::next_wake() const {
  if (showing() == Showing::title)
    return title_.Timer1.Enabled() ? std::optional(title_origin_ + title_.Timer1.due())
                                   : std::nullopt;
  if (!game_ || box_->box) return std::nullopt;
  const std::optional<std::int64_t> due = game_->session.next_due();
  return due ? std::optional(game_->origin + *due) : std::nullopt;
}

}  // namespace glouton
