#include "program/replay.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "ports/keys.h"
#include "program/text_fields.h"

namespace glouton {

ReplayResult parse_replay(std::string_view text) {
  ReplayResult result;
  LineReader lines(text);
  auto fail = [&](std::string_view reason, std::string_view why) {
    result.steps.clear();
    result.reason = reason;
    result.line = std::max<std::int64_t>(lines.number(), 1);
    result.error = "replay:" + std::to_string(result.line) + ": " + std::string(why);
    return result;
  };
  if (text.size() > replay_size_limit)
    return fail("too_big", "over the size limit of " + std::to_string(replay_size_limit >> 20) +
                               " MiB: not played");
  enum class Window { none, open, program_ended } window = Window::none;
  std::int64_t last_time = 0;

  while (const std::optional<std::string_view> line = lines.next()) {
    if (!lines.ended()) return fail("no_line_end", "the line is cut short (no line end)");
    if (lines.number() == 1) {
      if (*line != replay_header) {
        const std::string_view rest = line->substr(std::min(line->size(), replay_format.size()));
        const auto version = parse_digits(rest, 1000000);
        if (line->substr(0, replay_format.size()) == replay_format && version &&
            *version > replay_version)
          return fail("newer_format", "made by a newer version of the game (format " +
                                          std::to_string(*version) + "; this one reads " +
                                          std::to_string(replay_version) + ")");
        return fail("not_replay",
                    "not a replay: the first line must be '" + std::string(replay_header) + "'");
      }
      continue;
    }
    const std::vector<std::string_view> fields = split_fields(*line);
    if (fields.empty()) return fail("empty_line", "empty line");
    if (window == Window::program_ended)
      return fail("after_program_end", "the program ended on an earlier line");
    if (input_named(fields[0]) == Input::load) {
      if (fields.size() > 1) return fail("text_after_load", "unexpected text after 'load'");
      if (window == Window::open) return fail("window_open", "a game window is open already");
      window = Window::open;
      last_time = 0;
      result.steps.push_back({Input::load, 0, 0});
      continue;
    }
    if (window != Window::open)
      return fail("no_window", "no game window is open (expected 'load')");
    const auto t = parse_digits(fields[0], std::numeric_limits<std::int32_t>::max());
    if (!t) return fail("bad_time", "bad time " + quoted(fields[0]));
    if (*t < last_time) return fail("time_backwards", "time goes backwards");
    last_time = *t;
    for (std::size_t i = 1; i < fields.size(); ++i) {
      if (window != Window::open)
        return fail("after_window_end", "input after the window's end " + quoted(fields[i]));
      const std::optional<Input::Kind> input = input_named(fields[i]);
      if (!input || input == Input::load)
        return fail("bad_input", "unknown input " + quoted(fields[i]));
      ReplayStep step{*input, *t, 0};
      if (input == Input::key) {
        if (i + 1 == fields.size()) return fail("no_key_code", "'key' needs a code");
        const auto code = parse_digits(fields[++i], 65535);
        if (!code) return fail("bad_key", "bad key code " + quoted(fields[i]));
        step.code = static_cast<int>(*code);
        if (step.code == key_escape) window = Window::program_ended;
      }
      if (input == Input::close) window = Window::none;
      if (input == Input::quit) window = Window::program_ended;
      result.steps.push_back(step);
    }
    result.steps.push_back({Input::wake, *t, 0});
  }
  if (lines.number() == 0) return fail("empty_file", "empty file: not a replay");
  return result;
}

void ReplayRecorder::add(const ReplayStep& step) {
  if (step.input == Input::load) {
    end_wake();
    sink_(word_of(Input::load));
    return;
  }
  if (t_ && *t_ != step.t) end_wake();
  t_ = step.t;
  if (step.input == Input::wake) return;
  line_ += ' ';
  line_ += word_of(step.input);
  if (step.input == Input::key) line_ += ' ' + std::to_string(step.code);
}

void ReplayRecorder::end_wake() {
  if (t_ && (ran_ || !line_.empty())) sink_(std::to_string(*t_) + line_);
  t_.reset();
  line_.clear();
  ran_ = false;
}

std::string write_replay(const std::vector<ReplayStep>& steps) {
  std::string text(replay_header);
  text += '\n';
  ReplayRecorder recorder([&text](std::string_view line) {
    text += line;
    text += '\n';
  });
  for (const ReplayStep& step : steps) {
    recorder.add(step);
    if (step.input != Input::wake) continue;
    recorder.handler_ran();
    recorder.end_wake();
  }
  recorder.end_wake();
  return text;
}

std::vector<ReplayStep> steps_to_watch(std::vector<ReplayStep> steps) {
  const auto last = std::find_if(steps.rbegin(), steps.rend(),
                                 [](const ReplayStep& s) { return s.input != Input::wake; });
  if (last == steps.rend()) return steps;
  const bool ends = last->input == Input::quit || last->input == Input::close ||
                    (last->input == Input::key && last->code == key_escape);
  if (ends) steps.erase(std::prev(last.base()), steps.end());
  return steps;
}

std::int64_t replay_length(const std::vector<ReplayStep>& steps) {
  std::int64_t origin = 0, last = 0;
  for (const ReplayStep& step : steps) {
    if (step.input == Input::load)
      origin = last;
    else
      last = origin + step.t;
  }
  return last;
}

bool ReplayPlayer::done(bool program_ended) const {
  std::size_t i = next_;
  if (!program_ended) return i >= steps_.size();
  // The wake of the line that ended a window has nothing left to run.
  while (i < steps_.size() && steps_[i].input == Input::wake) ++i;
  return i >= steps_.size() || steps_[i].input != Input::load;
}

std::int64_t ReplayPlayer::time_of(const ReplayStep& step) const {
  return step.input == Input::load ? last_ : origin_ + step.t;
}

std::optional<std::int64_t> ReplayPlayer::next_at(bool program_ended) const {
  if (done(program_ended)) return std::nullopt;
  return time_of(steps_[next_]);
}

std::optional<std::pair<std::int64_t, ReplayStep>> ReplayPlayer::take_due(std::int64_t now,
                                                                          bool program_ended) {
  if (done(program_ended) || time_of(steps_[next_]) > now) return std::nullopt;
  const ReplayStep& step = steps_[next_++];
  const std::int64_t t = time_of(step);
  last_ = t;
  if (step.input == Input::load) origin_ = t;
  return std::pair{t, step};
}

}  // namespace glouton
