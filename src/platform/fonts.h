// Which font each control of the two windows draws with: Liberation Sans at
// the control's size, from the glyph atlas made at build time
// (platform/glyph_atlas.h). The game opens no font file and starts no font
// renderer: its texts cannot go missing once it is built.
#pragma once

#include "platform/glyph_atlas.h"

namespace glouton::platform {

struct Fonts {
  const GlyphFont& score = glyph_atlas::score;    // Text1: bold, 18 pt
  const GlyphFont& best = glyph_atlas::best;      // Text3: bold, 12 pt
  const GlyphFont& button = glyph_atlas::button;  // Command1's caption, in both windows: 8 pt
  const GlyphFont& title = glyph_atlas::title;    // Label4: bold, 48 pt or smaller, as it fits
  const GlyphFont& line = glyph_atlas::line;      // Label2 and Label6: 14.25 pt
};

}  // namespace glouton::platform
