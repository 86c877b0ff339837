#include "program/program.h"

#include "game/form_load.h"
#include "player/glouton.h"
#include "program/input_sources.h"
#include "program/trace.h"

namespace glouton {

// One game window: its clock counts from its own load.
struct Program::GameWindow {
  GameWindow(Surface& surface, SoundDevice& sound, Dialogs& boxes, EventOrder::Listener listener,
             std::int64_t loaded_at)
      : origin(loaded_at), form(clock, surface, sound, boxes), events(form, clock, listener) {}

  std::int64_t origin;
  Clock clock;
  Form1 form;
  EventOrder events;
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

Program::Program(ProgramHost& host, SoundDevice& sound, MusicDevice& music, ProgramOutputs outputs)
    : host_(host),
      sound_(sound),
      trace_(outputs.trace),
      title_(title_clock_, music),
      flow_(title_),
      box_(std::make_unique<BoxRequest>()),
      gate_(std::make_unique<SoundGate>(sound)),
      source_(std::make_unique<PlayerSource>()) {
  if (outputs.replay) recorder_.emplace([&host](std::string_view line) { host.replay_line(line); });
}

Program::~Program() = default;

const Form1* Program::game() const {
  return game_ ? &game_->form : nullptr;
}

const Form1* Program::last_game() const {
  if (game_) return &game_->form;
  return ended_game_ ? &ended_game_->form : nullptr;
}

std::optional<InformationBox> Program::information_box() const {
  return game_ && source_->asks() ? box_->box : std::nullopt;
}

bool Program::box_open() const {
  return box_->box.has_value();
}

void Program::start(std::int64_t now) {
  title_origin_ = now;
  title_clock_.now = 0;
  title_shown_ = true;
  flow_.start();
}

void Program::open_game(std::int64_t now) {
  apply(now, {Input::load});
}

void Program::play_replay(std::int64_t now, std::vector<ReplayStep> steps) {
  source_ = std::make_unique<ReplaySource>(std::move(steps), now);
  advance(now);
}

void Program::watch_replay(std::int64_t now, std::vector<ReplayStep> steps) {
  source_ = std::make_unique<WatchedSource>(std::move(steps), now);
  advance(now);
}

void Program::feed(std::int64_t now, const Input& input) {
  source_->feed(*this, now, input);
}

void Program::open_game_window(std::int64_t now) {
  if (game_) return;
  if (!title_shown_) flow_.start_without_title();
  box_->box.reset();
  ended_game_.reset();
  Surface& surface = source_->keeps_window() && host_window_ ? host_.game_window_blanked()
                                                             : host_.game_window_opened();
  host_window_ = true;
  game_ = std::make_unique<GameWindow>(
      surface, *gate_, *box_,
      [this](const EventRecord& record) {
        if (recorder_) recorder_->handler_ran();
        if (!silent_) game_event(record);
      },
      now);
  flow_.memory.hand_to(game_->form);
  if (recorder_) recorder_->add({Input::load});
  game_->clock.now = 0;
  game_->events.load();
  if (game_->events.ended()) game_ended(GameEnd::escape);
}

void Program::game_event(const EventRecord& record) {
  last_event_ = record;
  std::string line;
  if (trace_) {
    append_trace_line(line, game_->form, record, nullptr, host_.trace_wall());
    line.pop_back();  // its line end
  }
  host_.game_event(line);
}

void Program::apply(std::int64_t now, const ReplayStep& step) {
  if (step.input == Input::load) return open_game_window(now);
  if (step.input == Input::wake) return wake(now);
  if (!game_) return;
  GameWindow& g = *game_;
  if (recorder_) recorder_->add({step.input, now - g.origin, step.code});
  switch (step.input) {
    case Input::key:
    case Input::cc:
      if (box_->box) return;
      g.clock.now = now - g.origin;
      // The ticks that fell due before this millisecond come before its input.
      g.events.run_due_timers(true);
      if (g.events.ended()) return end_game_if_unloaded();
      if (step.input == Input::cc) return Command1_Click(g.form);
      g.events.key(step.code);
      return end_game_if_unloaded();
    case Input::ok:
      box_->box.reset();
      return;
    case Input::close:
    case Input::quit:
      box_->box.reset();
      Form_Unload(g.form);
      return game_ended(step.input == Input::close ? GameEnd::frame_closed : GameEnd::quit);
    case Input::wake:  // recorded by wake()
    case Input::load:
      return;
    default:  // the devices' inputs never reach a game window as they are
      return;
  }
}

void Program::wake(std::int64_t now) {
  if (!game_) return;
  GameWindow& g = *game_;
  if (recorder_) recorder_->add({Input::wake, now - g.origin, 0});
  if (!box_->box) {
    g.clock.now = now - g.origin;
    g.events.run_due_timers();
  }
  if (g.events.ended()) return end_game_if_unloaded();
  if (recorder_) recorder_->end_wake();
}

void Program::end_game_if_unloaded() {
  if (game_ && game_->events.ended())
    game_ended(game_->form.end_program ? GameEnd::escape : GameEnd::frame_closed);
}

void Program::go(std::int64_t now) {
  if (flow_.showing() != Showing::title) return;
  Command1_Click(title_);
  flow_.title_handled();
  if (flow_.showing() == Showing::game) open_game_window(now);
}

void Program::game_ended(GameEnd end) {
  if (recorder_) recorder_->end_wake();
  flow_.memory.keep_from(game_->form);
  ended_game_ = std::move(game_);
  if (!source_->keeps_window()) {
    host_window_ = false;
    host_.game_window_closed();
  }
  flow_.game_ended(end);
}

void Program::advance(std::int64_t now) {
  source_->advance(*this, now);
}

std::optional<std::int64_t> Program::next_wake() const {
  return source_->next_wake(*this);
}

bool Program::ended() const {
  return source_->ended(*this);
}

void Program::drop_windows() {
  // The windows are dropped as they stand, with no unload.
  box_->box.reset();
  game_.reset();
  ended_game_.reset();
  flow_.restart();
}

void Program::quit_game() {
  if (!game_) return;
  box_->box.reset();
  Form_Unload(game_->form);
  game_ended(GameEnd::quit);
}

void Program::title_wake(std::int64_t now) {
  title_clock_.now = now - title_origin_;
  if (!title_.Timer1.is_due()) return;
  title_.Timer1.ticked();  // before the handler, as the game's timers
  Timer1_Timer(title_);
}

std::optional<std::int64_t> Program::title_due() const {
  if (!title_.Timer1.Enabled()) return std::nullopt;
  return title_origin_ + title_.Timer1.due();
}

std::optional<std::int64_t> Program::game_due() const {
  if (!game_ || box_->box) return std::nullopt;
  const std::optional<std::int64_t> due = game_->events.next_due();
  return due ? std::optional(game_->origin + *due) : std::nullopt;
}

ViewChanges Program::take_changes() {
  ProgramView now = view_;
  now.window = ended() ? Showing::nothing : flow_.showing();
  if (game_) {
    now.score = {game_->form.Text1.Text, game_->form.Text1.Enabled};
    now.best = {game_->form.Text3.Text, game_->form.Text3.Enabled};
  }
  now.face_left = title_.image1_left;
  now.face_top = title_.image1_top;
  now.box = information_box();
  source_->show(now);
  const bool all = !view_taken_;
  view_taken_ = true;
  const ViewChanges changes{
      all || now.window != view_.window,
      all || now.score != view_.score,
      all || now.best != view_.best,
      all || now.face_left != view_.face_left || now.face_top != view_.face_top,
      all || now.box != view_.box,
      all || now.caption != view_.caption};
  view_ = std::move(now);
  return changes;
}

}  // namespace glouton
