// Packs the game's pictures into a C++ source file built into every program:
// each is read here, at build time, by SDL_image and converted to ARGB (its
// colour key becoming alpha), so that no program needs SDL_image or the
// picture files. A picture is its colours (0xAARRGGBB) and one byte a pixel,
// an index into them. The sprites must be of the game's grid size.
//   picture-pack OUT.cpp SOURCE_DIR NAME...
// (SOURCE_DIR/assets/NAME.xpm, named "NAME" in the table).
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ports/geometry.h"
#include "ports/picture.h"

namespace {

struct Packed {
  std::string name;
  int w = 0, h = 0;
  std::vector<Uint32> colours;
  std::vector<Uint8> pixels;
};

bool pack(const std::string& path, Packed& out) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) {
    std::cerr << "picture-pack: cannot read " << path << ": " << IMG_GetError() << "\n";
    return false;
  }
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!converted) {
    std::cerr << "picture-pack: cannot convert " << path << ": " << SDL_GetError() << "\n";
    return false;
  }
  out.w = converted->w;
  out.h = converted->h;
  for (int y = 0; y < converted->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(converted->pixels) +
                                                      y * converted->pitch);
    for (int x = 0; x < converted->w; ++x) {
      std::size_t i = 0;
      while (i < out.colours.size() && out.colours[i] != row[x]) ++i;
      if (i == out.colours.size()) out.colours.push_back(row[x]);
      out.pixels.push_back(static_cast<Uint8>(i));
    }
  }
  SDL_FreeSurface(converted);
  // The windows draw over a picture without keeping what lies under it
  // (draw/window_picture.h): a pixel is see-through altogether or opaque.
  for (const Uint32 c : out.colours)
    if ((c >> 24) != 0 && (c >> 24) != 255) {
      std::cerr << "picture-pack: " << path << " has a half see-through colour\n";
      return false;
    }
  if (out.colours.size() > 256) {
    std::cerr << "picture-pack: " << path << " has more than 256 colours\n";
    return false;
  }
  return true;
}

template <typename T>
void write_numbers(std::ofstream& out, const std::vector<T>& numbers, const char* format,
                   int per_line) {
  char cell[16];
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    std::snprintf(cell, sizeof cell, format, static_cast<unsigned>(numbers[i]));
    out << (i % per_line == 0 ? "\n    " : " ") << cell << ",";
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: picture-pack OUT.cpp SOURCE_DIR NAME...\n";
    return 2;
  }
  const std::string dir = argv[2];
  std::vector<Packed> pictures;
  for (int i = 3; i < argc; ++i) {
    Packed p;
    p.name = argv[i];
    if (!pack(dir + "/assets/" + p.name + ".xpm", p)) return 1;
    // The game places its sprites on a grid of that size.
    const bool sprite = std::find(glouton::picture_names.begin(), glouton::picture_names.end(),
                                  p.name) != glouton::picture_names.end();
    if (sprite && (p.w != glouton::sprite_pixels || p.h != glouton::sprite_pixels)) {
      std::cerr << "picture-pack: " << p.name << " is " << p.w << " x " << p.h << " pixels, not "
                << glouton::sprite_pixels << " x " << glouton::sprite_pixels << "\n";
      return 1;
    }
    pictures.push_back(std::move(p));
  }
  std::ofstream out(argv[1]);
  out << "// Made by tools/picture-pack.cpp from assets/*.xpm: do not edit.\n"
         "#include \"draw/picture_pack.h\"\n\n"
         "namespace glouton::draw {\n\nnamespace {\n";
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    out << "\nconstexpr std::uint32_t colours" << i << "[] = {";
    write_numbers(out, pictures[i].colours, "0x%08x", 6);
    out << "\n};\nconstexpr std::uint8_t pixels" << i << "[] = {";
    write_numbers(out, pictures[i].pixels, "%u", 32);
    out << "\n};\n";
  }
  out << "\n}  // namespace\n\nconst PackedPicture picture_pack[] = {\n";
  for (std::size_t i = 0; i < pictures.size(); ++i)
    out << "    {\"" << pictures[i].name << "\", " << pictures[i].w << ", " << pictures[i].h
        << ", colours" << i << ", pixels" << i << "},\n";
  out << "};\nconst std::size_t picture_pack_size = " << pictures.size()
      << ";\n\n}  // namespace glouton::draw\n";
  out.close();
  if (!out) {
    std::cerr << "picture-pack: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
