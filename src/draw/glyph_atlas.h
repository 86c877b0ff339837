// The fonts of the controls: Liberation Sans at each control's size, in the
// glyph atlas made at build time by tools/glyph-atlas.cpp (glyph_atlas.cpp in
// the build folder). The game opens no font file and starts no font renderer.
#pragma once

#include "screen/glyph_layout.h"

namespace glouton::draw::glyph_atlas {

extern const GlyphFont score;   // Text1: bold, 18 pt
extern const GlyphFont best;    // Text3: bold, 12 pt
extern const GlyphFont button;  // Command1's caption, in both windows: 8 pt
extern const GlyphFont title;   // the title window's Label4: bold, 48 pt or as it fits
extern const GlyphFont line;    // the title window's Label2 and Label6: 14.25 pt

}  // namespace glouton::draw::glyph_atlas
