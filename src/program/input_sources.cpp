#include "program/input_sources.h"

#include "ports/keys.h"

namespace glouton {

void Program::PlayerSource::feed(Program& p, std::int64_t now, const Input& input) {
  const bool title = p.flow_.showing() == Showing::title;
  switch (input.kind) {
    case Input::key:
      return key(p, now, input);
    case Input::key_up:
      if (input.place >= 0 && input.place < static_cast<int>(keys_down_.size()))
        keys_down_.reset(static_cast<std::size_t>(input.place));
      return;
    case Input::focus_lost:
      keys_down_.reset();
      return;
    case Input::pad: {
      if (title && input.press == PadPress::south) return go(p, now);
      static constexpr int codes[] = {key_left, key_up, key_right, key_down, 0, key_space};
      if (!title && input.press != PadPress::south && p.game_ && !p.box_open())
        p.apply(now, {Input::key, 0, codes[static_cast<int>(input.press)]});
      return;
    }
    case Input::go:
      return go(p, now);
    case Input::cc:
      if (p.game_ && !p.box_open()) p.apply(now, {Input::cc});
      return;
    case Input::ok:
      if (p.game_ && p.box_open()) p.apply(now, {Input::ok});
      return;
    case Input::close:
    case Input::quit:
      if (title) return p.flow_.title_closed();
      return p.apply(now, {input.kind});
    case Input::load:
    case Input::wake:
    case Input::seek:
      return;
  }
}

void Program::PlayerSource::key(Program& p, std::int64_t now, const Input& input) {
  if (p.flow_.showing() == Showing::title) {
    if (!input.repeat && !input.comfort && (input.code == key_enter || input.code == key_space))
      go(p, now);
    return;
  }
  if (!p.game_ || p.box_open()) return;
  // A repeat that outlived its key's press (the focus went meanwhile) is no key.
  if (input.place >= 0 && input.place < static_cast<int>(keys_down_.size())) {
    const auto place = static_cast<std::size_t>(input.place);
    if (input.repeat && !keys_down_.test(place)) return;
    keys_down_.set(place);
  }
  p.apply(now, {Input::key, 0, input.code});
}

void Program::PlayerSource::go(Program& p, std::int64_t now) {
  keys_down_.reset();  // no key held on the title steers the game window it opens
  p.go(now);
}

void Program::PlayerSource::advance(Program& p, std::int64_t now) {
  if (p.flow_.showing() == Showing::title) return p.title_wake(now);
  p.wake(now);
}

std::optional<std::int64_t> Program::PlayerSource::next_wake(const Program& p) const {
  if (p.flow_.showing() == Showing::title) return p.title_due();
  return p.game_due();
}

bool Program::PlayerSource::ended(const Program& p) const {
  return p.flow_.ended();
}

void Program::ReplaySource::feed(Program& p, std::int64_t, const Input& input) {
  const bool escape =
      input.kind == Input::key && !input.repeat && !input.comfort && input.code == key_escape;
  if (escape || input.kind == Input::close || input.kind == Input::quit) stop(p);
}

std::optional<std::int64_t> Program::ReplaySource::next_wake(const Program& p) const {
  if (stopped_) return std::nullopt;
  return player_.next_at(p.flow_.ended());
}

bool Program::ReplaySource::ended(const Program& p) const {
  return stopped_ || player_.done(p.flow_.ended());
}

void Program::ReplaySource::play_due(Program& p, std::int64_t until) {
  while (!stopped_) {
    const auto due = player_.take_due(until, p.flow_.ended());
    if (!due) break;
    p.apply(due->first, due->second);
  }
}

void Program::ReplaySource::stop(Program& p) {
  stopped_ = true;
  p.quit_game();
}

Program::WatchedSource::WatchedSource(std::vector<ReplayStep> steps, std::int64_t now)
    // The viewer's steps run on the replay's own time, from 0.
    : ReplaySource(steps_to_watch(std::move(steps)), 0),
      viewer_(replay_length(player_.steps()), now) {
  stopped_ = player_.done(false);
}

void Program::WatchedSource::feed(Program& p, std::int64_t now, const Input& input) {
  switch (input.kind) {
    case Input::key: {
      if (input.repeat || input.comfort) return;
      const ViewerCommand command = viewer_.key(now, input.code);
      if (command.kind == ViewerCommand::Kind::quit) return stop(p);
      if (command.kind == ViewerCommand::Kind::jump) jump(p, now, command.target);
      break;
    }
    case Input::seek:
      jump(p, now, input.at);
      break;
    case Input::close:
    case Input::quit:
      return stop(p);
    default:
      return;
  }
  p.gate_->let_through(viewer_.sounds());
}

void Program::WatchedSource::jump(Program& p, std::int64_t now, std::int64_t target) {
  p.silent_ = true;
  p.gate_->let_through(false);
  p.sound_.close();  // what plays or waits to play belongs to the moment left
  p.drop_windows();
  player_.restart(0);
  play_due(p, target);
  p.silent_ = false;
  viewer_.jumped(now, target);
}

std::optional<std::int64_t> Program::WatchedSource::next_wake(const Program& p) const {
  if (stopped_) return std::nullopt;
  return viewer_.wake_at(player_.next_at(p.flow_.ended()));
}

void Program::WatchedSource::show(ProgramView& view) const {
  view.caption = viewer_.caption();
  view.viewer = ViewerPlace{viewer_.at(), viewer_.end(), viewer_.speed().label, viewer_.paused()};
}

}  // namespace glouton
