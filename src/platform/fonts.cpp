#include "platform/fonts.h"

#ifdef GLOUTON_GLYPH_ATLAS

#include "platform/glyph_atlas.h"

namespace glouton::platform {

Fonts open_fonts() {
  return {FontPtr(&glyph_atlas::score), FontPtr(&glyph_atlas::best), FontPtr(&glyph_atlas::button),
          FontPtr(&glyph_atlas::title), FontPtr(&glyph_atlas::line)};
}

}  // namespace glouton::platform

#else

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#include <fontconfig/fontconfig.h>
#endif

#include <algorithm>
#include <string_view>

#include "platform/controls.h"
#include "platform/data_files.h"
#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

// Windows and the browser have no fontconfig: the game ships its fonts.
#if defined(_WIN32) || defined(__EMSCRIPTEN__)

std::optional<std::string> bold_file() {
  return find_data_file("fonts/LiberationSans-Bold.ttf");
}
std::optional<std::string> regular_file() {
  return find_data_file("fonts/LiberationSans-Regular.ttf");
}
const char* const bold_missing = "font fonts/LiberationSans-Bold.ttf not found beside the game";
const char* const regular_missing =
    "font fonts/LiberationSans-Regular.ttf not found beside the game";

#else

constexpr std::initializer_list<const char*> bold_sans = {"Liberation Sans:bold",
                                                          "DejaVu Sans:bold", "sans-serif:bold"};
constexpr std::initializer_list<const char*> regular_sans = {"Liberation Sans", "DejaVu Sans",
                                                             "sans-serif"};

std::optional<std::string> match_one(FcConfig* config, const char* name) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name));
  if (!pattern) return std::nullopt;
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  std::optional<std::string> file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
    file = reinterpret_cast<const char*>(path);
  if (match) FcPatternDestroy(match);
  return file;
}

std::optional<std::string> bold_file() {
  return match_font_file(bold_sans);
}
std::optional<std::string> regular_file() {
  return match_font_file(regular_sans);
}
const char* const bold_missing = "no bold sans font found (tried Liberation Sans, DejaVu Sans)";
const char* const regular_missing = "no sans font found (tried Liberation Sans, DejaVu Sans)";

#endif

FontPtr open_sized(const std::string& file, int pixels, bool bold) {
  // SDL_ttf counts points at 72 dpi, so a size in points there is a size in pixels.
  FontPtr font(TTF_OpenFont(file.c_str(), pixels));
  if (!font) throw StartupError("cannot open font " + file + ": " + TTF_GetError());
  // A family without a bold face is matched to its regular one: embolden it.
  if (bold) {
    const char* style = TTF_FontFaceStyleName(font.get());
    if (!style || std::string_view(style).find("Bold") == std::string_view::npos)
      TTF_SetFontStyle(font.get(), TTF_STYLE_BOLD);
  }
  return font;
}

}  // namespace

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
std::optional<std::string> match_font_file(std::initializer_list<const char*> patterns) {
  if (!FcInit()) return std::nullopt;
  FcConfig* config = FcConfigGetCurrent();
  for (const char* name : patterns)
    if (std::optional<std::string> file = match_one(config, name)) return file;
  return std::nullopt;
}
#endif

Fonts open_fonts() {
  const std::optional<std::string> bold = bold_file();
  if (!bold) throw StartupError(bold_missing);
  const std::optional<std::string> regular = regular_file();
  if (!regular) throw StartupError(regular_missing);
  // 15 twips a pixel: 18 pt is 24 pixels, 12 pt 16, 8 pt 11, 48 pt 64, 14.25 pt 19.
  Fonts fonts{open_sized(*bold, 24, true), open_sized(*bold, 16, true),
              open_sized(*regular, 11, false), nullptr, open_sized(*regular, 19, false)};
  // "GLOUTON" at 48 pt is wider than its label: the word is shown whole, a
  // little smaller, rather than cut at both ends.
  const int title_room = to_pixels(label4_place).w - 2 * title_margin;
  const int size = fitting_size(64, title_room, title_text, [&](int pixels, std::string_view text) {
    const FontPtr font = open_sized(*bold, pixels, true);
    int w = 0, h = 0;
    TTF_SizeUTF8(font.get(), std::string(text).c_str(), &w, &h);
    return w;
  });
  fonts.title = open_sized(*bold, size, true);
  return fonts;
}

}  // namespace glouton::platform

#endif  // GLOUTON_GLYPH_ATLAS
