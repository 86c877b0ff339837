// The sans fonts of the two windows' controls, found through fontconfig and
// opened with SDL_ttf at the sizes the controls use, or, built with
// GLOUTON_GLYPH_ATLAS (the page), taken from the glyph atlas made at build
// time from Liberation Sans at those sizes.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fitting_size.h"
#include "platform/sdl_handles.h"

namespace glouton::platform {

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__) && !defined(GLOUTON_GLYPH_ATLAS)
// The file of the first pattern fontconfig matches to a font file, if any
// (patterns as "Liberation Sans:bold"). Windows and the browser have no
// fontconfig: there the game's own fonts folder holds Liberation Sans.
std::optional<std::string> match_font_file(std::initializer_list<const char*> patterns);
#endif

struct Fonts {
  FontPtr score;   // Text1: bold, 18 pt
  FontPtr best;    // Text3: bold, 12 pt
  FontPtr button;  // Command1's caption, in both windows: 8 pt
  FontPtr title;   // the title window's Label4: bold, 48 pt, or smaller so that it fits its label
  FontPtr line;    // the title window's Label2 and Label6: 14.25 pt
};

// Needs TTF_Init (not with the atlas). Throws StartupError when a font
// cannot be found or opened.
Fonts open_fonts();

}  // namespace glouton::platform
