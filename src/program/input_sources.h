// Where the game's inputs come from. The player's: the devices' inputs go
// to the title and the game windows. A recorded run's: its steps go to the
// game windows at their times, through the same point as the player's, and
// the devices' inputs steer the replay instead (as a demo plays in the
// player's place in DOOM). A watched replay is one whose viewer sets its
// pace and jumps.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

#include "program/program.h"

namespace glouton {

class Program::Source {
 public:
  virtual ~Source() = default;
  // An input of a device at `now`.
  virtual void feed(Program& p, std::int64_t now, const Input& input) = 0;
  // Runs what is due by `now`.
  virtual void advance(Program& p, std::int64_t now) = 0;
  virtual std::optional<std::int64_t> next_wake(const Program& p) const = 0;
  virtual bool ended(const Program& p) const = 0;
  // Whether the "CC" box is put to the player: a replay plays on to its recorded close.
  virtual bool asks() const { return true; }
  // Whether the host's game window stays on the screen from one game window to the next.
  virtual bool keeps_window() const { return false; }
  // The windows' title, and where a watched replay stands.
  virtual void show(ProgramView& view) const {
    view.caption = program_caption;
    view.viewer.reset();
  }
};

class Program::PlayerSource final : public Source {
 public:
  void feed(Program& p, std::int64_t now, const Input& input) override;
  void advance(Program& p, std::int64_t now) override;
  std::optional<std::int64_t> next_wake(const Program& p) const override;
  bool ended(const Program& p) const override;

 private:
  void key(Program& p, std::int64_t now, const Input& input);
  void go(Program& p, std::int64_t now);
  std::bitset<512> keys_down_;  // key places pressed since the last loss of focus
};

class Program::ReplaySource : public Source {
 public:
  // `start`: the program's time of the replay's first load.
  ReplaySource(std::vector<ReplayStep> steps, std::int64_t start)
      : player_(std::move(steps), start) {}

  // Escape, or closing the window or the session, ends the replay.
  void feed(Program& p, std::int64_t now, const Input& input) override;
  void advance(Program& p, std::int64_t now) override { play_due(p, now); }
  std::optional<std::int64_t> next_wake(const Program& p) const override;
  bool ended(const Program& p) const override;
  bool asks() const override { return false; }

 protected:
  // Plays every step due by `until`, on the replay's clock.
  void play_due(Program& p, std::int64_t until);
  // The replay ends: its game window goes as the session's end takes it.
  void stop(Program& p);

  ReplayPlayer player_;
  bool stopped_ = false;
};

class Program::WatchedSource final : public ReplaySource {
 public:
  // The replay's time 0 plays at `now`.
  WatchedSource(std::vector<ReplayStep> steps, std::int64_t now);

  // The player's keys and seeks steer the viewer.
  void feed(Program& p, std::int64_t now, const Input& input) override;
  void advance(Program& p, std::int64_t now) override { play_due(p, viewer_.reached(now)); }
  std::optional<std::int64_t> next_wake(const Program& p) const override;
  bool ended(const Program&) const override { return stopped_; }
  bool keeps_window() const override { return !stopped_; }
  void show(ProgramView& view) const override;

 private:
  // Plays the run again from its start, silently, up to `target`.
  void jump(Program& p, std::int64_t now, std::int64_t target);

  ReplayViewer viewer_;
};

}  // namespace glouton
