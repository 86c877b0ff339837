#include "program/program.h"

#include "game/form_load.h"
#include "player/glouton.h"
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

// The sound a watched replay's game windows play through: cues pass only
// while the viewer lets them (at ×1, not during a jump).
class Program::SoundGate final : public SoundDevice {
 public:
  explicit SoundGate(SoundDevice& out) : out_(out) {}
  void open() override { out_.open(); }
  void close() override { out_.close(); }
  void beep() override {
    if (open_) out_.beep();
  }
  void play(const std::string& file, bool hold) override {
    if (open_) out_.play(file, hold);
  }
  void let_through(bool open) { open_ = open; }

 private:
  SoundDevice& out_;
  bool open_ = true;
};

Program::Program(ProgramHost& host, SoundDevice& sound, MusicDevice& music, ProgramOutputs outputs)
    : host_(host),
      sound_(sound),
      trace_(outputs.trace),
      title_(title_clock_, music),
      flow_(title_),
      box_(std::make_unique<BoxRequest>()) {
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
  // A replay plays on to the recorded close of the box: nobody is asked.
  return game_ && !replay_ ? box_->box : std::nullopt;
}

void Program::start(std::int64_t now) {
  title_origin_ = now;
  title_clock_.now = 0;
  title_shown_ = true;
  flow_.start();
}

void Program::open_game(std::int64_t now) {
  play(now, {Input::load});
}

void Program::play_replay(std::int64_t now, std::vector<ReplayStep> steps) {
  replay_.emplace(std::move(steps), now);
  advance(now);
}

void Program::watch_replay(std::int64_t now, std::vector<ReplayStep> steps) {
  steps = steps_to_watch(std::move(steps));
  gate_ = std::make_unique<SoundGate>(sound_);
  viewer_.emplace(replay_length(steps), now);
  // The viewer's steps run on the replay's own time, from 0.
  replay_.emplace(std::move(steps), 0);
  if (replay_->done(false)) replay_stopped_ = true;
  advance(now);
}

void Program::watch_key(std::int64_t now, int code) {
  const ViewerCommand command = viewer_->key(now, code);
  if (command.kind == ViewerCommand::Kind::quit) return stop_replay();
  if (command.kind == ViewerCommand::Kind::jump) jump(now, command.target);
  gate_->let_through(viewer_->sounds());
}

void Program::jump(std::int64_t now, std::int64_t target) {
  silent_ = true;
  gate_->let_through(false);
  sound_.close();  // what plays or waits to play belongs to the moment left
  // The run is played again from its start: the windows it had are dropped
  // as they stand, with no unload.
  box_->box.reset();
  game_.reset();
  ended_game_.reset();
  flow_.restart();
  replay_->restart(0);
  play_due(target);
  silent_ = false;
  viewer_->jumped(now, target);
}

void Program::play_due(std::int64_t until) {
  while (!replay_stopped_) {
    const auto due = replay_->take_due(until, flow_.ended());
    if (!due) break;
    play(due->first, due->second);
  }
}

void Program::stop_replay() {
  replay_stopped_ = true;
  if (!game_) return;
  box_->box.reset();
  Form_Unload(game_->form);
  game_ended(GameEnd::quit);
}

void Program::open_game_window(std::int64_t now) {
  if (game_) return;
  if (!title_shown_) flow_.start_without_title();
  box_->box.reset();
  held_.reset();
  ended_game_.reset();
  // A watched replay keeps its one window on the screen from game to game.
  Surface& surface =
      viewer_ && host_window_ ? host_.game_window_blanked() : host_.game_window_opened();
  host_window_ = true;
  game_ = std::make_unique<GameWindow>(
      surface, viewer_ ? *gate_ : sound_, *box_,
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

void Program::play(std::int64_t now, const ReplayStep& step) {
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

void Program::key(std::int64_t now, const KeyInput& key) {
  if (replay_) {
    if (key.repeat || key.comfort) return;
    if (viewer_) return watch_key(now, key.code);
    if (key.code == key_escape) stop_replay();
    return;
  }
  if (flow_.showing() == Showing::title) {
    if (!key.repeat && !key.comfort && (key.code == key_enter || key.code == key_space)) go(now);
    return;
  }
  if (!game_ || box_->box) return;
  // A repeat that outlived its key's press (the focus went meanwhile) is no key.
  if (key.place >= 0 && key.place < static_cast<int>(held_.size())) {
    const auto place = static_cast<std::size_t>(key.place);
    if (key.repeat && !held_.test(place)) return;
    held_.set(place);
  }
  play(now, {Input::key, 0, key.code});
}

void Program::key_released(std::int64_t, int place) {
  if (place >= 0 && place < static_cast<int>(held_.size()))
    held_.reset(static_cast<std::size_t>(place));
}

void Program::focus_lost(std::int64_t) {
  held_.reset();
}

void Program::pad(std::int64_t now, PadPress press) {
  if (replay_) return;
  if (flow_.showing() == Showing::title) {
    if (press == PadPress::south) go(now);
    return;
  }
  if (!game_ || box_->box) return;
  static constexpr int codes[] = {key_left, key_up, key_right, key_down, 0, key_space};
  if (press != PadPress::south) play(now, {Input::key, 0, codes[static_cast<int>(press)]});
}

void Program::go_clicked(std::int64_t now) {
  if (!replay_) go(now);
}

void Program::cc_clicked(std::int64_t now) {
  if (!replay_ && game_ && !box_->box) play(now, {Input::cc});
}

void Program::information_closed(std::int64_t now) {
  if (!replay_ && game_ && box_->box) play(now, {Input::ok});
}

void Program::close(std::int64_t now) {
  end_window(now, Input::close);
}

void Program::quit(std::int64_t now) {
  end_window(now, Input::quit);
}

void Program::end_window(std::int64_t now, Input input) {
  if (replay_) return stop_replay();
  if (flow_.showing() == Showing::title) return flow_.title_closed();
  play(now, {input});
}

void Program::game_ended(GameEnd end) {
  if (recorder_) recorder_->end_wake();
  flow_.memory.keep_from(game_->form);
  ended_game_ = std::move(game_);
  if (!viewer_ || replay_stopped_) {
    host_window_ = false;
    host_.game_window_closed();
  }
  flow_.game_ended(end);
}

void Program::advance(std::int64_t now) {
  if (replay_) return play_due(viewer_ ? viewer_->reached(now) : now);
  if (flow_.showing() == Showing::title) return title_wake(now);
  wake(now);
}

void Program::title_wake(std::int64_t now) {
  title_clock_.now = now - title_origin_;
  if (!title_.Timer1.is_due()) return;
  title_.Timer1.ticked();  // before the handler, as the game's timers
  Timer1_Timer(title_);
}

std::optional<std::int64_t> Program::next_wake() const {
  if (replay_) {
    if (replay_stopped_) return std::nullopt;
    const std::optional<std::int64_t> next = replay_->next_at(flow_.ended());
    return viewer_ ? viewer_->wake_at(next) : next;
  }
  if (flow_.showing() == Showing::title)
    return title_.Timer1.Enabled() ? std::optional(title_origin_ + title_.Timer1.due())
                                   : std::nullopt;
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
  now.caption = viewer_ ? viewer_->caption() : std::string(program_caption);
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
