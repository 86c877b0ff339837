// Boxes the game window asks the platform to show.
#pragma once

#include <string_view>

namespace glouton {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal information box with an OK button. A modal box holds its
  // window's loop until it is closed; the program core's returns at once,
  // asks the frontend to show it, and holds the game's timers until the
  // frontend says it was closed (the input `ok`).
  virtual void MsgBox(std::string_view prompt, std::string_view title) = 0;
};

class NoDialogs final : public Dialogs {
 public:
  void MsgBox(std::string_view, std::string_view) override {}
};

}  // namespace glouton
