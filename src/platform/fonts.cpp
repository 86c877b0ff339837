#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>

#include <string_view>

#include "platform/startup_error.h"

namespace glouton::platform {

namespace {

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

std::optional<std::string> match_font_file(std::initializer_list<const char*> patterns) {
  if (!FcInit()) return std::nullopt;
  FcConfig* config = FcConfigGetCurrent();
  for (const char* name : patterns)
    if (std::optional<std::string> file = match_one(config, name)) return file;
  return std::nullopt;
}

Fonts open_fonts() {
  const std::optional<std::string> bold = match_font_file(bold_sans);
  if (!bold) throw StartupError("no bold sans font found (tried Liberation Sans, DejaVu Sans)");
  const std::optional<std::string> regular = match_font_file(regular_sans);
  if (!regular) throw StartupError("no sans font found (tried Liberation Sans, DejaVu Sans)");
  // 15 twips a pixel: 18 pt is 24 pixels, 12 pt 16, 8 pt 11.
  return Fonts{open_sized(*bold, 24, true), open_sized(*bold, 16, true),
               open_sized(*regular, 11, false)};
}

}  // namespace glouton::platform
