// The sans fonts of the game window's controls, found through fontconfig and
// opened with SDL_ttf at the sizes the controls use.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

#include "platform/sdl_handles.h"

namespace glouton::platform {

// The file of the first pattern fontconfig matches to a font file, if any
// (patterns as "Liberation Sans:bold").
std::optional<std::string> match_font_file(std::initializer_list<const char*> patterns);

struct Fonts {
  FontPtr score;   // Text1: bold, 18 pt
  FontPtr best;    // Text3: bold, 12 pt
  FontPtr button;  // Command1's caption: 8 pt
};

// Needs TTF_Init. Throws StartupError when a font cannot be found or opened.
Fonts open_fonts();

}  // namespace glouton::platform
