// The replay viewer: how a watched replay's time runs against the frontend's
// clock (its speed, its pause), where its keys jump to, and the caption that
// says where it stands. It plays nothing itself: the program core asks it
// how far the replay has come and plays the steps due by then.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glouton {

// One of the viewer's speeds: the replay's ms per `per` ms of the frontend's clock.
struct ViewerSpeed {
  int replay_ms;
  int per;
  std::string_view label;
};

inline constexpr std::array<ViewerSpeed, 7> viewer_speeds = {{{1, 4, "×¼"},
                                                              {1, 2, "×½"},
                                                              {1, 1, "×1"},
                                                              {2, 1, "×2"},
                                                              {4, 1, "×4"},
                                                              {8, 1, "×8"},
                                                              {16, 1, "×16"}}};
inline constexpr std::size_t normal_speed = 2;  // ×1

// What a key asks of the program beyond the viewer's own state.
struct ViewerCommand {
  enum class Kind { none, jump, quit } kind = Kind::none;
  std::int64_t target = 0;  // the replay's time a jump goes to
  bool operator==(const ViewerCommand&) const = default;
};

class ReplayViewer {
 public:
  // `end`: the replay's time of its last step; `now`: the frontend's time
  // the replay's time 0 plays at.
  ReplayViewer(std::int64_t end, std::int64_t now) : end_(end), base_now_(now) {}

  // A key press (virtual key code): Right and Left change the speed, Space
  // pauses and goes on, Home, 1..9 and End jump, Escape quits.
  ViewerCommand key(std::int64_t now, int code);
  // After a jump's steps were played: the replay stands at `target` at `now`.
  void jumped(std::int64_t now, std::int64_t target);

  // How far the replay has come at `now` (never past its end); every step
  // due by then plays.
  std::int64_t reached(std::int64_t now);
  // The frontend's time to wake for the step at replay time `next`, or
  // sooner for the caption's next second; none while paused or at the end.
  std::optional<std::int64_t> wake_at(std::optional<std::int64_t> next) const;

  // Cues sound only at ×1, and never while paused.
  bool sounds() const { return speed_ == normal_speed && !paused_; }
  // "Glouton — revoir 03:12 / 20:00 ×4", as of the last reached().
  std::string caption() const;

  const ViewerSpeed& speed() const { return viewer_speeds[speed_]; }
  bool paused() const { return paused_; }
  std::int64_t at() const { return at_; }
  std::int64_t end() const { return end_; }

 private:
  std::int64_t replay_time(std::int64_t now) const;
  // The replay keeps its time `at_` at `now`; the speed or the pause changes after.
  void rebase(std::int64_t now);

  std::int64_t end_;
  std::int64_t base_now_;     // the frontend's time of the last change of pace
  std::int64_t base_at_ = 0;  // the replay's time then
  std::int64_t at_ = 0;       // the replay's time reached
  std::size_t speed_ = normal_speed;
  bool paused_ = false;
};

}  // namespace glouton
