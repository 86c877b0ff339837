#include "program/replay_viewer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>
#include <string>

#include "ports/keys.h"

namespace glouton {

namespace {

// "MM:SS", more digits of minutes past 99.
std::string minutes_seconds(std::int64_t ms) {
  const std::int64_t s = ms / 1000;
  std::array<char, 48> text{};
  char* end = text.data();
  for (const std::int64_t n : {s / 60, s % 60}) {
    if (end != text.data()) *end++ = ':';
    if (n < 10) *end++ = '0';
    end = std::to_chars(end, text.data() + text.size(), n).ptr;
  }
  return std::string(text.data(), end);
}

}  // namespace

std::int64_t ReplayViewer::replay_time(std::int64_t now) const {
  if (paused_ || now <= base_now_) return std::min(base_at_, end_);
  const ViewerSpeed& s = speed();
  // Whole ms of the replay: a step plays once its time has fully come.
  const std::int64_t t = base_at_ + (now - base_now_) * s.replay_ms / s.per;
  return std::min(t, end_);
}

std::int64_t ReplayViewer::reached(std::int64_t now) {
  at_ = std::max(at_, replay_time(now));
  return at_;
}

void ReplayViewer::rebase(std::int64_t now) {
  reached(now);
  base_at_ = at_;
  base_now_ = now;
}

void ReplayViewer::jumped(std::int64_t now, std::int64_t target) {
  at_ = base_at_ = std::clamp<std::int64_t>(target, 0, end_);
  base_now_ = now;
}

ViewerCommand ReplayViewer::key(std::int64_t now, int code) {
  using Kind = ViewerCommand::Kind;
  switch (code) {
    case key_right:
    case key_left:
      rebase(now);
      if (code == key_right && speed_ + 1 < viewer_speeds.size()) ++speed_;
      if (code == key_left && speed_ > 0) --speed_;
      return {};
    case key_space:
      rebase(now);
      paused_ = !paused_;
      return {};
    case key_home:
      return {Kind::jump, 0};
    case key_end:
      return {Kind::jump, end_};
    case key_escape:
      return {Kind::quit};
    default:
      if (code >= key_digit_1 && code < key_digit_1 + 9)
        return {Kind::jump, end_ * (code - key_digit_1 + 1) / 10};
      return {};
  }
}

std::optional<std::int64_t> ReplayViewer::wake_at(std::optional<std::int64_t> next) const {
  if (paused_ || at_ >= end_) return std::nullopt;
  // The caption's next whole second, unless a step comes before it.
  std::int64_t t = (at_ / 1000 + 1) * 1000;
  if (next) t = std::min(t, std::max(*next, at_));
  const ViewerSpeed& s = speed();
  // The first ms of the frontend's clock at which the replay has come to `t`.
  const std::int64_t since = t - base_at_;
  return base_now_ + (since * s.per + s.replay_ms - 1) / s.replay_ms;
}

std::string ReplayViewer::caption() const {
  std::string text = "Glouton — revoir " + minutes_seconds(at_) + " / " + minutes_seconds(end_) +
                     " " + std::string(speed().label);
  if (paused_) text += " (pause)";
  return text;
}

}  // namespace glouton
