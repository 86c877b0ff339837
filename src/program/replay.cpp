#include "program/replay.h"

#include <limits>

#include "player/glouton.h"
#include "program/text_fields.h"

namespace glouton {

ReplayResult parse_replay(std::string_view text) {
  ReplayResult result;
  std::int64_t line_number = 0;
  auto fail = [&](std::string_view why) {
    result.steps.clear();
    result.error = "replay:" + std::to_string(line_number) + ": " + std::string(why);
    return result;
  };
  enum class Window { none, open, program_ended } window = Window::none;
  std::int64_t last_time = 0;

  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    ++line_number;
    if (end == std::string_view::npos) return fail("the line is cut short (no line end)");
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line_number == 1) {
      if (line != replay_header)
        return fail("not a replay: the first line must be '" + std::string(replay_header) + "'");
      continue;
    }
    const std::vector<std::string_view> fields = split_fields(line);
    if (fields.empty()) return fail("empty line");
    if (window == Window::program_ended) return fail("the program ended on an earlier line");
    if (fields[0] == "load") {
      if (fields.size() > 1) return fail("unexpected text after 'load'");
      if (window == Window::open) return fail("a game window is open already");
      window = Window::open;
      last_time = 0;
      result.steps.push_back({ReplayStep::load, 0, 0});
      continue;
    }
    if (window != Window::open) return fail("no game window is open (expected 'load')");
    const auto t = parse_digits(fields[0], std::numeric_limits<std::int32_t>::max());
    if (!t) return fail("bad time " + quoted(fields[0]));
    if (*t < last_time) return fail("time goes backwards");
    last_time = *t;
    for (std::size_t i = 1; i < fields.size(); ++i) {
      if (window != Window::open) return fail("input after the window's end " + quoted(fields[i]));
      const std::string_view f = fields[i];
      if (f == "key") {
        if (i + 1 == fields.size()) return fail("'key' needs a code");
        const auto code = parse_digits(fields[++i], 65535);
        if (!code) return fail("bad key code " + quoted(fields[i]));
        result.steps.push_back({ReplayStep::key, *t, static_cast<int>(*code)});
        if (*code == key_escape) window = Window::program_ended;
      } else if (f == "cc") {
        result.steps.push_back({ReplayStep::cc, *t, 0});
      } else if (f == "ok") {
        result.steps.push_back({ReplayStep::ok, *t, 0});
      } else if (f == "close") {
        result.steps.push_back({ReplayStep::close, *t, 0});
        window = Window::none;
      } else if (f == "quit") {
        result.steps.push_back({ReplayStep::quit, *t, 0});
        window = Window::program_ended;
      } else {
        return fail("unknown input " + quoted(f));
      }
    }
    result.steps.push_back({ReplayStep::wake, *t, 0});
  }
  if (line_number == 0) {
    line_number = 1;
    return fail("empty file: not a replay");
  }
  return result;
}

ReplayPlayer::ReplayPlayer(Program& program, std::vector<ReplayStep> steps, std::int64_t start)
    : program_(program), steps_(std::move(steps)), origin_(start), last_(start) {}

bool ReplayPlayer::done() const {
  std::size_t i = next_;
  if (!program_.ended()) return i >= steps_.size();
  // The wake of the line that ended a window has nothing left to run.
  while (i < steps_.size() && steps_[i].kind == ReplayStep::wake) ++i;
  return i >= steps_.size() || steps_[i].kind != ReplayStep::load;
}

std::int64_t ReplayPlayer::time_of(const ReplayStep& step) const {
  return step.kind == ReplayStep::load ? last_ : origin_ + step.t;
}

std::optional<std::int64_t> ReplayPlayer::next_wake() const {
  if (done()) return std::nullopt;
  return time_of(steps_[next_]);
}

void ReplayPlayer::advance(std::int64_t now) {
  while (!done() && time_of(steps_[next_]) <= now) {
    const ReplayStep& step = steps_[next_++];
    const std::int64_t t = time_of(step);
    last_ = t;
    switch (step.kind) {
      case ReplayStep::load:
        origin_ = t;
        program_.open_game(t);
        break;
      case ReplayStep::key:
        program_.key(t, KeyInput{step.code});
        break;
      case ReplayStep::cc:
        program_.cc_clicked(t);
        break;
      case ReplayStep::ok:
        program_.information_closed(t);
        break;
      case ReplayStep::close:
        program_.close(t);
        break;
      case ReplayStep::quit:
        program_.quit(t);
        break;
      case ReplayStep::wake:
        program_.advance(t);
        break;
    }
  }
}

}  // namespace glouton
