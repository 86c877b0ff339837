// Finding data files: the lookup order, and the blank that ends a sound's name.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/data_files.h"
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
}  // namespace
}  // namespace glouton::platform
