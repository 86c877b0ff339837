// Makes the glyph atlas the program draws its texts from (glyph_text.h):
// SDL_ttf renders each control's texts in Liberation Sans at the size the
// control uses, and the atlas keeps their coverage: the fixed texts whole,
// the scores' characters one by one. Before it writes anything it lays out,
// from the atlas, every fixed text and a wide range of scores, and fails
// unless each surface is SDL_ttf's own, pixel for pixel.
//   glyph-atlas BOLD.ttf REGULAR.ttf OUT.cpp   (tools/make-glyph-atlas.sh builds and runs it)
#include <SDL.h>
#include <SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb-ft.h>
#include <hb.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "draw/fitting_size.h"
#include "glyph_text.h"
#include "title/form2_layout.h"

namespace {

using namespace glouton;
using namespace glouton::draw;
using namespace glouton::platform;

[[noreturn]] void die(const std::string& what) {
  std::fprintf(stderr, "glyph-atlas: %s\n", what.c_str());
  std::exit(1);
}

struct FontCloser {
  void operator()(TTF_Font* f) const { TTF_CloseFont(f); }
};
using TtfPtr = std::unique_ptr<TTF_Font, FontCloser>;
struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

TtfPtr open(const std::string& file, int pixels) {
  TtfPtr font(TTF_OpenFont(file.c_str(), pixels));
  if (!font) die("cannot open " + file + ": " + TTF_GetError());
  return font;
}

Uint32 pixel(const SDL_Surface* s, int x, int y) {
  return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch)[x];
}

// SDL_ttf's own surface of the text, in a colour that tells RGB from alpha.
constexpr SDL_Color probe{200, 100, 50, 255};
Surface ttf_text(TTF_Font* font, const std::string& text) {
  Surface s(TTF_RenderUTF8_Blended(font, text.c_str(), probe));
  if (!s) die("SDL_ttf cannot render \"" + text + "\": " + TTF_GetError());
  if (s->format->format != SDL_PIXELFORMAT_ARGB8888) die("SDL_ttf's surface is not ARGB8888");
  return s;
}

std::vector<std::uint8_t> alpha_of(const SDL_Surface* s, int x0, int y0, int w, int h) {
  std::vector<std::uint8_t> a;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) a.push_back(static_cast<std::uint8_t>(pixel(s, x, y) >> 24));
  return a;
}

// Each character's move of the pen and offset from it along `text`, as
// SDL_ttf's HarfBuzz shaping makes them (hinted advances, kerning), in 64ths
// of a pixel.
struct Shaped {
  int advance, offset;
};
std::vector<Shaped> shape(const std::string& file, int size, const std::string& text) {
  static FT_Library library = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) die("FT_Init_FreeType failed");
    return l;
  }();
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.c_str(), 0, &face) != 0) die("FreeType cannot open " + file);
  if (FT_Set_Char_Size(face, 0, size * 64, 0, 0) != 0) die("FreeType cannot size " + file);
  hb_font_t* font = hb_ft_font_create(face, nullptr);
  hb_ft_font_set_load_flags(font, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL);
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
  hb_buffer_set_script(buffer, HB_SCRIPT_UNKNOWN);
  hb_buffer_add_utf8(buffer, text.c_str(), -1, 0, -1);
  hb_shape(font, buffer, nullptr, 0);
  unsigned count = 0;
  const hb_glyph_position_t* at = hb_buffer_get_glyph_positions(buffer, &count);
  std::vector<Shaped> out;
  for (unsigned i = 0; i < count; ++i) {
    if (at[i].y_offset != 0 || at[i].y_advance != 0)
      die("HarfBuzz moves a glyph of \"" + text + "\" off its line");
    out.push_back({at[i].x_advance, at[i].x_offset});
  }
  hb_buffer_destroy(buffer);
  hb_font_destroy(font);
  FT_Done_Face(face);
  if (out.size() != text.size()) die("HarfBuzz joins characters of \"" + text + "\"");
  return out;
}

// One face at one size, as the atlas will hold it.
struct Entry {
  std::string name;
  std::string file;
  int size;
  TtfPtr ttf;
  std::vector<std::string> lines;  // drawn whole
  std::string characters;          // drawn one by one
  std::vector<std::vector<std::uint8_t>> line_alpha, glyph_alpha;
  std::vector<GlyphLine> line_views;
  std::vector<Glyph> glyph_views;
  std::vector<Kerning> kerning;
  GlyphFont font{};
};

void take(Entry& e) {
  TTF_Font* f = e.ttf.get();
  e.font.height = TTF_FontHeight(f);
  e.font.ascent = TTF_FontAscent(f);
  for (const std::string& text : e.lines) {
    const Surface s = ttf_text(f, text);
    e.line_alpha.push_back(alpha_of(s.get(), 0, 0, s->w, s->h));
  }
  for (std::size_t i = 0; i < e.lines.size(); ++i) {
    const Surface s = ttf_text(f, e.lines[i]);
    e.line_views.push_back({e.lines[i], s->w, s->h, e.line_alpha[i].data()});
  }
  for (const char c : e.characters) {
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0, advance = 0;
    if (TTF_GlyphMetrics32(f, static_cast<Uint8>(c), &min_x, &max_x, &min_y, &max_y, &advance) != 0)
      die(std::string("no glyph for ") + c);
    const Surface s = ttf_text(f, std::string(1, c));
    // The single character's surface starts left of its pen when it reaches there.
    const int x0 = (min_x < 0 ? -min_x : 0) + min_x, y0 = e.font.ascent - max_y;
    if (y0 < 0 || y0 + (max_y - min_y) > s->h || x0 + (max_x - min_x) > s->w)
      die(std::string("glyph ") + c + " outside its line");
    e.glyph_alpha.push_back(alpha_of(s.get(), x0, y0, max_x - min_x, max_y - min_y));
    e.glyph_views.push_back({c, min_x, max_y, max_x - min_x, max_y - min_y,
                             shape(e.file, e.size, std::string(1, c))[0].advance, nullptr});
    if (shape(e.file, e.size, std::string(1, c))[0].offset != 0)
      die(std::string("HarfBuzz moves ") + c + " off its pen");
  }
  for (const Glyph& a : e.glyph_views)
    for (const Glyph& b : e.glyph_views) {
      const std::vector<Shaped> pair = shape(e.file, e.size, {a.code, b.code});
      const Kerning k{a.code, b.code, pair[0].advance - a.advance, pair[1].offset,
                      pair[1].advance - b.advance};
      if (pair[0].offset != 0) die(std::string("HarfBuzz moves ") + a.code + " off its pen");
      if (k.first_advance != 0 || k.second_offset != 0 || k.second_advance != 0)
        e.kerning.push_back(k);
    }
  for (std::size_t i = 0; i < e.glyph_views.size(); ++i)
    e.glyph_views[i].alpha = e.glyph_alpha[i].data();
  e.font.glyphs = e.glyph_views;
  e.font.kerning = e.kerning;
  e.font.lines = e.line_views;
}

// The atlas's surface against SDL_ttf's, every pixel, RGB and alpha.
void check(const Entry& e, const std::string& text) {
  const Surface want = ttf_text(e.ttf.get(), text);
  const Surface got(render_glyph_text(e.font, text, probe));
  if (!got) die(e.name + ": the atlas draws nothing for \"" + text + "\"");
  if (got->w != want->w || got->h != want->h)
    die(e.name + ": \"" + text + "\" is " + std::to_string(got->w) + "x" + std::to_string(got->h) +
        " from the atlas, " + std::to_string(want->w) + "x" + std::to_string(want->h) +
        " from SDL_ttf");
  for (int y = 0; y < want->h; ++y)
    for (int x = 0; x < want->w; ++x)
      if (pixel(got.get(), x, y) != pixel(want.get(), x, y))
        die(e.name + ": \"" + text + "\" differs from SDL_ttf's at " + std::to_string(x) + "," +
            std::to_string(y));
}

void write_bytes(std::ostream& out, const std::string& name, const std::vector<std::uint8_t>& a) {
  out << "constexpr std::uint8_t " << name << "[] = {";
  for (std::size_t i = 0; i < a.size(); ++i)
    out << (i % 24 == 0 ? "\n    " : "") << int(a[i]) << ',';
  out << "\n};\n";
}

std::string quoted(const std::string& s) {
  std::string q = "\"";
  for (const char c : s) q += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
  return q + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: glyph-atlas BOLD.ttf REGULAR.ttf OUT.cpp\n");
    return 2;
  }
  const std::string bold = argv[1], regular = argv[2];
  if (TTF_Init() != 0) die(std::string("TTF_Init: ") + TTF_GetError());

  // 15 twips a pixel: 18 pt is 24 pixels, 12 pt 16, 8 pt 11, 48 pt 64, 14.25 pt 19.
  const int title_room = label4_place.width / twips_per_pixel - 2 * title_margin;
  const int title_size =
      fitting_size(64, title_room, title_text, [&](int size, std::string_view t) {
        int w = 0, h = 0;
        TTF_SizeUTF8(open(bold, size).get(), std::string(t).c_str(), &w, &h);
        return w;
      });
  const std::string digits = "0123456789-";
  Entry entries[] = {
      {"score", bold, 24, open(bold, 24), {}, digits},
      {"best", bold, 16, open(bold, 16), {}, digits},
      {"button", regular, 11, open(regular, 11), {std::string(go_caption), "CC"}, ""},
      {"title", bold, title_size, open(bold, title_size), {std::string(title_text)}, ""},
      {"line",
       regular,
       19,
       open(regular, 19),
       {std::string(subtitle_text), std::string(credit_text)},
       ""},
  };
  std::mt19937 random(20);
  int checked = 0;
  for (Entry& e : entries) {
    take(e);
    for (const std::string& line : e.lines) check(e, line), ++checked;
    if (e.characters.empty()) continue;
    // Every score up to 99,999, then scores of every length to 32 bits.
    std::vector<std::string> scores;
    for (int n = 0; n < 100000; ++n) scores.push_back(std::to_string(n));
    for (int n = 0; n < 20000; ++n) scores.push_back(std::to_string(random() >> (random() % 32)));
    for (int n = 1; n < 100; ++n) scores.push_back(std::to_string(-n));
    for (const std::string& s : scores) check(e, s), ++checked;
  }

  std::ostringstream out;
  out << "// Made by tools/glyph-atlas.cpp from " << bold << " and " << regular
      << ": do not edit.\n#include \"draw/glyph_atlas.h\"\n\n"
      << "namespace glouton::draw::glyph_atlas {\n\nnamespace {\n\n";
  for (const Entry& e : entries) {
    for (std::size_t i = 0; i < e.lines.size(); ++i)
      write_bytes(out, e.name + "_line" + std::to_string(i), e.line_alpha[i]);
    for (std::size_t i = 0; i < e.glyph_views.size(); ++i)
      write_bytes(out, e.name + "_glyph" + std::to_string(i), e.glyph_alpha[i]);
    out << "constexpr GlyphLine " << e.name << "_lines[] = {\n";
    for (std::size_t i = 0; i < e.lines.size(); ++i)
      out << "    {" << quoted(e.lines[i]) << ", " << e.line_views[i].width << ", "
          << e.line_views[i].height << ", " << e.name << "_line" << i << "},\n";
    out << "    {\"\", 0, 0, nullptr}};\n";
    out << "constexpr Glyph " << e.name << "_glyphs[] = {\n";
    for (std::size_t i = 0; i < e.glyph_views.size(); ++i) {
      const Glyph& g = e.glyph_views[i];
      out << "    {'" << g.code << "', " << g.left << ", " << g.top << ", " << g.width << ", "
          << g.rows << ", " << g.advance << ", " << e.name << "_glyph" << i << "},\n";
    }
    out << "    {'\\0', 0, 0, 0, 0, 0, nullptr}};\n";
    out << "constexpr Kerning " << e.name << "_kerning[] = {\n";
    for (const Kerning& k : e.kerning)
      out << "    {'" << k.first << "', '" << k.second << "', " << k.first_advance << ", "
          << k.second_offset << ", " << k.second_advance << "},\n";
    out << "    {'\\0', '\\0', 0, 0, 0}};\n\n";
  }
  out << "}  // namespace\n\n";
  // The empty last rows keep every array non-empty; they are not part of the fonts.
  for (const Entry& e : entries)
    out << "const GlyphFont " << e.name << "{" << e.font.height << ", " << e.font.ascent << ", {"
        << e.name << "_glyphs, " << e.name << "_glyphs + " << e.glyph_views.size() << "}, {"
        << e.name << "_kerning, " << e.name << "_kerning + " << e.kerning.size() << "}, {" << e.name
        << "_lines, " << e.name << "_lines + " << e.lines.size() << "}};\n";
  out << "\n}  // namespace glouton::draw::glyph_atlas\n";
  std::ofstream file(argv[3]);
  file << out.str();
  if (!file.flush()) die(std::string("cannot write ") + argv[3]);
  std::printf("glyph-atlas: %d texts drawn from the atlas as SDL_ttf draws them; title at %d px\n",
              checked, title_size);
  return 0;
}
