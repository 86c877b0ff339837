// The sprite pictures of the game window, as the core names them.
#pragma once

#include <array>
#include <string_view>

namespace glouton {

// The eleven sprites held by the game window's invisible image controls.
enum class Picture {
  glouton,  // image_glouton
  tete1,    // Image_tete1
  tete2,    // Image_tete2
  tete3,    // Image_tete3
  mur,      // Image_Mur
  sol,      // Image_sol
  gomme,    // Image_gomme_bleue
  bonus1,   // Image_bonus1
  bonus2,   // Image_bonus2
  bonus3,   // Image_bonus3
  bonus4,   // Image_bonus4
};

inline constexpr int picture_count = 11;

inline constexpr std::array<std::string_view, picture_count> picture_names = {
    "glouton", "tete1",  "tete2",  "tete3",  "mur",   "sol",
    "gomme",   "bonus1", "bonus2", "bonus3", "bonus4"};

// The name used in traces and for the sprite file (`assets/<name>.xpm`).
constexpr std::string_view picture_name(Picture p) {
  return picture_names[static_cast<int>(p)];
}

// The picture of chaser n (1..3).
constexpr Picture tete_picture(int n) {
  return static_cast<Picture>(static_cast<int>(Picture::tete1) + n - 1);
}

}  // namespace glouton
