// The information box the "CC" button asks for: a modal SDL message box
// over the game window.
#pragma once

#include <SDL_video.h>

#include <string>
#include <string_view>

#include "ports/dialogs.h"

namespace glouton::platform {

// The prompt's CR LF line ends as the message box wants them.
std::string plain_line_ends(std::string_view text);

class MessageBoxes final : public Dialogs {
 public:
  explicit MessageBoxes(SDL_Window* parent) : parent_(parent) {}
  void MsgBox(std::string_view prompt, std::string_view title) override;

 private:
  SDL_Window* parent_;
};

}  // namespace glouton::platform
