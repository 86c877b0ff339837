// Finding data files and reading the pictures: the lookup order, the blank
// that ends a sound's name, and a missing or broken picture as a start-up error.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/data_files.h"
#include "platform/pictures.h"
#include "platform/startup_error.h"
#include "support/temp_dir.h"

namespace glouton::platform {
namespace {

using glouton::testing::InDirectory;
using glouton::testing::TempDir;

TEST(DataFiles, TrimsOnlyTrailingBlanks) {
  EXPECT_EQ(trim_trailing_blanks("gloutonone/bloop.wav "), "gloutonone/bloop.wav");
  EXPECT_EQ(trim_trailing_blanks("a b\t \t"), "a b");
  EXPECT_EQ(trim_trailing_blanks(" lead"), " lead");
  EXPECT_EQ(trim_trailing_blanks("   "), "");
  EXPECT_EQ(trim_trailing_blanks(""), "");
}

TEST(DataFiles, SearchesTheFoldersInOrder) {
  TempDir first, second, third;
  second.write("gloutonone/bloop.wav", "second");
  third.write("gloutonone/bloop.wav", "third");
  third.write("assets/mur.xpm", "third");
  const std::vector<std::filesystem::path> folders{first.path(), second.path(), third.path()};

  EXPECT_EQ(find_data_file("gloutonone/bloop.wav ", folders),
            (second.path() / "gloutonone/bloop.wav").string());
  EXPECT_EQ(find_data_file("assets/mur.xpm", folders), (third.path() / "assets/mur.xpm").string());
  EXPECT_EQ(find_data_file("assets/sol.xpm", folders), std::nullopt);
  EXPECT_EQ(find_data_file("  ", folders), std::nullopt);
}

TEST(DataFiles, AFolderOfTheNameIsNotAFile) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "assets/mur.xpm");
  EXPECT_EQ(find_data_file("assets/mur.xpm", {dir.path()}), std::nullopt);
}

TEST(DataFiles, TheCurrentDirectoryComesFirst) {
  TempDir here;
  here.write("gloutonone/silly.wav", "x");
  InDirectory in(here.path());
  const std::vector<std::filesystem::path> folders = data_folders();
  ASSERT_GE(folders.size(), 2u);
  EXPECT_TRUE(folders.front().empty());
  EXPECT_EQ(find_data_file("gloutonone/silly.wav"), "gloutonone/silly.wav");
}

// A 4 × 3 picture: its first column see-through, the rest red, green and blue.
constexpr const char* small_xpm =
    "/* XPM */\n"
    "static const char *small_xpm[] = {\n"
    "\"4 3 4 1\",\n"
    "\". c None\",\n"
    "\"r c #FF0000\",\n"
    "\"g c #00FF00\",\n"
    "\"b c #0000FF\",\n"
    "\".rgb\",\n"
    "\".rgb\",\n"
    "\".rgb\"\n"
    "};\n";

// The message of the start-up error `load` throws, or "" when it throws none.
template <typename Load>
std::string startup_error(Load load) {
  try {
    load();
  } catch (const StartupError& e) {
    return e.what();
  }
  return "";
}

Uint32 pixel_at(const SDL_Surface* s, int x, int y) {
  return static_cast<const Uint32*>(s->pixels)[y * s->pitch / 4 + x];
}

TEST(Pictures, ReadsAPictureWithItsSeeThroughPixels) {
  TempDir here;
  here.write("assets/small.xpm", small_xpm);
  InDirectory in(here.path());
  const SurfacePtr picture = load_picture_file("assets/small.xpm");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->w, 4);
  EXPECT_EQ(picture->h, 3);
  EXPECT_EQ(picture->format->format, pixel_format);
  Uint8 r, g, b, a;
  SDL_GetRGBA(pixel_at(picture.get(), 0, 1), picture->format, &r, &g, &b, &a);
  EXPECT_EQ(a, 0);
  SDL_GetRGBA(pixel_at(picture.get(), 1, 1), picture->format, &r, &g, &b, &a);
  EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{255, 0, 0, 255}));
  SDL_GetRGBA(pixel_at(picture.get(), 3, 2), picture->format, &r, &g, &b, &a);
  EXPECT_EQ((std::array<int, 4>{r, g, b, a}), (std::array<int, 4>{0, 0, 255, 255}));
  // Its see-through column keeps what is below it; a picture with none is copied whole.
  SDL_BlendMode mode{};
  SDL_GetSurfaceBlendMode(picture.get(), &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);
  here.write("assets/solid.xpm",
             "/* XPM */\nstatic const char *s[] = {\"2 1 1 1\", \"r c #FF0000\", \"rr\"};\n");
  const SurfacePtr solid = load_picture_file("assets/solid.xpm");
  ASSERT_TRUE(solid);
  SDL_GetSurfaceBlendMode(solid.get(), &mode);
  EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
}

TEST(Pictures, AMissingOrBrokenPictureIsAStartUpErrorNamingIt) {
  TempDir here;
  here.write("assets/broken.xpm", "/* XPM */ not a picture");
  InDirectory in(here.path());
  const std::string absent = startup_error([] { load_picture_file("assets/absent.xpm"); });
  EXPECT_NE(absent.find("assets/absent.xpm"), std::string::npos) << absent;
  EXPECT_NE(absent.find("not found"), std::string::npos) << absent;
  const std::string broken = startup_error([] { load_picture_file("assets/broken.xpm"); });
  EXPECT_NE(broken.find("assets/broken.xpm"), std::string::npos) << broken;
}

// A sprite of the size the game places its sprites at, one colour.
std::string sprite_xpm() {
  std::string xpm =
      "/* XPM */\nstatic const char *sprite[] = {\n\"32 32 1 1\",\n\"y c #FFFF00\",\n";
  for (int row = 0; row < 32; ++row)
    xpm += "\"" + std::string(32, 'y') + (row < 31 ? "\",\n" : "\"\n");
  return xpm + "};\n";
}

TEST(Pictures, LoadsEveryPictureOfBothWindowsOrNamesTheFirstMissing) {
  TempDir here;
  for (std::string_view name : picture_names)
    here.write("assets/" + std::string(name) + ".xpm", name == "mur" ? small_xpm : sprite_xpm());
  InDirectory in(here.path());
  here.write("assets/score.xpm", small_xpm);  // a caption may have any size
  // Each row: the error while a file is wrong or missing, then that file made good.
  const std::tuple<const char*, const char*, std::string> steps[] = {
      {"assets/mur.xpm is 4 x 3 pixels, not 32 x 32", "assets/mur.xpm", sprite_xpm()},
      {"assets/highs.xpm", "assets/highs.xpm", small_xpm},
      {"picture assets/face.xpm not found", "assets/face.xpm", small_xpm},
  };
  for (const auto& [error, file, good] : steps) {
    const std::string what = startup_error([] { load_pictures(); });
    EXPECT_NE(what.find(error), std::string::npos) << "'" << what << "' lacks '" << error << "'";
    here.write(file, good);
  }
  const Pictures pictures = load_pictures();
  for (const SurfacePtr& sprite : pictures.sprites) EXPECT_EQ(sprite->w, 32);
  EXPECT_EQ(pictures.highs_caption->h, 3);
  EXPECT_EQ(pictures.face->w, 4);
}

}  // namespace
}  // namespace glouton::platform
