// A line of text laid out from a glyph atlas's coverages, as SDL_ttf lays it
// out (tools/glyph-atlas.cpp checks it against SDL_ttf): plain arithmetic
// with no SDL, which a frontend turns into pixels of its own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace glouton {

// One character's coverage, `width` × `rows`, its top-left corner `left`
// pixels right of the pen and `top` pixels above the baseline; the pen moves
// on by `advance` 64ths of a pixel.
struct Glyph {
  char code;
  int left, top, width, rows, advance;
  const std::uint8_t* alpha;
};

// What a pair changes, in 64ths of a pixel: the pen's move after `first`,
// and `second`'s place and move.
struct Kerning {
  char first, second;
  int first_advance, second_offset, second_advance;
};

// A whole line as SDL_ttf lays it out (kerning and all): the fixed texts.
struct GlyphLine {
  std::string_view text;
  int width, height;
  const std::uint8_t* alpha;
};

struct GlyphFont {
  int height;  // the line's height
  int ascent;  // from its top to the baseline
  std::span<const Glyph> glyphs;
  std::span<const Kerning> kerning;
  std::span<const GlyphLine> lines;
};

struct TextMask {
  int width = 0, height = 0;
  std::vector<std::uint8_t> alpha;  // row by row
};

// The text's coverage: a whole line when the font holds it, otherwise its
// characters one after the other on their advances and kerning, each at the
// whole pixel left of its pen, their coverage OR-ed where they overlap, as
// SDL_ttf does with HarfBuzz. A character the font lacks is left out.
inline TextMask lay_out(const GlyphFont& font, std::string_view text) {
  TextMask mask;
  for (const GlyphLine& line : font.lines)
    if (line.text == text) {
      mask.width = line.width;
      mask.height = line.height;
      mask.alpha.assign(line.alpha, line.alpha + line.width * line.height);
      return mask;
    }
  struct Placed {
    const Glyph* glyph;
    int x, y;
  };
  std::vector<Placed> placed;
  const auto glyph_of = [&font](char c) -> const Glyph* {
    for (const Glyph& g : font.glyphs)
      if (g.code == c) return &g;
    return nullptr;
  };
  std::vector<const Glyph*> glyphs;
  for (const char c : text)
    if (const Glyph* g = glyph_of(c)) glyphs.push_back(g);
  std::vector<int> advance, offset(glyphs.size(), 0);
  for (const Glyph* g : glyphs) advance.push_back(g->advance);
  for (std::size_t i = 1; i < glyphs.size(); ++i)
    for (const Kerning& k : font.kerning)
      if (k.first == glyphs[i - 1]->code && k.second == glyphs[i]->code) {
        advance[i - 1] += k.first_advance;
        offset[i] += k.second_offset;
        advance[i] += k.second_advance;
      }
  int pen = 0, min_x = 0, max_x = 0, min_y = 0, max_y = font.height;  // pen in 64ths
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph* glyph = glyphs[i];
    const Placed p{glyph, ((pen + offset[i]) >> 6) + glyph->left, font.ascent - glyph->top};
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x + glyph->width);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y + glyph->rows);
    placed.push_back(p);
    pen += advance[i];
  }
  max_x = std::max(max_x, pen >> 6);
  if (max_x == min_x) return mask;  // SDL_ttf draws no text of zero width
  mask.width = max_x - min_x;
  mask.height = max_y - min_y;
  mask.alpha.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  for (const Placed& p : placed)
    for (int row = 0; row < p.glyph->rows; ++row)
      for (int col = 0; col < p.glyph->width; ++col)
        mask.alpha[(p.y - min_y + row) * mask.width + (p.x - min_x + col)] |=
            p.glyph->alpha[row * p.glyph->width + col];
  return mask;
}

}  // namespace glouton
