#include "platform/message_box.h"

#include <SDL_error.h>
#include <SDL_messagebox.h>

#include <cstdio>

namespace glouton::platform {

std::string plain_line_ends(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i] == '\r' ? '\n' : text[i];
  }
  return out;
}

void MessageBoxes::MsgBox(std::string_view prompt, std::string_view title) {
  const std::string message = plain_line_ends(prompt);
  const std::string caption(title);
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), message.c_str(),
                               parent_) != 0)
    std::fprintf(stderr, "glouton: cannot show the information box: %s\n", SDL_GetError());
}

}  // namespace glouton::platform
