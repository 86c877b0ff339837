// Copying a game window and playing it ahead.
#include "sandbox.h"

#include <algorithm>

namespace glouton::bot {

namespace {

// Cue 5 is a lost life and cue 6 a game over: both follow a capture.
bool is_capture_cue(int cue) {
  return cue == 5 || cue == 6;
}

}  // namespace

Sandbox::Sandbox() : form_(clock_, surface_, sound_, dialogs_) {}

void Sandbox::copy_from(const Form1& from, std::int64_t now) {
  static_cast<GameState&>(form_) = from;
  form_.Text1 = from.Text1;
  form_.Text3 = from.Text3;
  form_.unloaded = from.unloaded;
  form_.end_program = from.end_program;
  // A timer only starts from the clock's time: start each one an interval
  // before it is due, so that it is due when the original is.
  const auto theirs = from.timers();
  const auto ours = form_.timers();
  for (std::size_t i = 0; i < ours.size(); ++i) {
    const Timer& t = *theirs[i];
    clock_.now = t.Enabled() ? t.due() - t.Interval() : now;
    *ours[i] = Timer(clock_, t.Interval(), t.Enabled());
  }
  clock_.now = now;
  form_.MMControl1.take_log();
  captured_ = false;
}

std::int64_t Sandbox::run(std::int64_t until, const Steer& steer) {
  EventOrder session(form_, clock_, [&](const EventRecord& record) {
    if (std::any_of(record.cues.begin(), record.cues.end(), is_capture_cue)) captured_ = true;
  });
  while (!captured_ && !session.ended()) {
    const auto next = session.next_due();
    if (!next || *next > until) break;
    clock_.now = *next;
    session.run_due_timers();
    if (steer && !captured_) steer(form_);
  }
  return clock_.now;
}

}  // namespace glouton::bot
