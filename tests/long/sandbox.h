// A private copy of a game window that the key bot plays ahead on its own
// clock: the core is deterministic, so the copy shows what will happen.
#pragma once

#include <cstdint>
#include <functional>

#include "game/form1.h"
#include "program/event_order.h"

namespace glouton::bot {

// A surface that paints nothing: the play-ahead looks only at the state.
class BlankSurface final : public Surface {
 public:
  void PaintPicture(Picture, int, int) override {}
};

class Sandbox {
 public:
  Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  // Makes the copy equal to `from` at time `now`, timers due when theirs are.
  void copy_from(const Form1& from, std::int64_t now);

  // Runs the due timers up to `until`; after every instant `steer` may set the
  // glouton's direction. Stops early at a capture; returns the time it ended.
  using Steer = std::function<void(Form1&)>;
  std::int64_t run(std::int64_t until, const Steer& steer);

  bool captured() const { return captured_; }
  const Form1& form() const { return form_; }
  Form1& form() { return form_; }

 private:
  Clock clock_;
  BlankSurface surface_;
  SilentDevice sound_;
  NoDialogs dialogs_;
  Form1 form_;
  bool captured_ = false;
};

}  // namespace glouton::bot
