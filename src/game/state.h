// The state of one game window: the maze grid, the movers and the counters.
// Names are the game's own; every value starts at 0 (an empty number counts as 0).
#pragma once

#include <array>
#include <cstdint>

#include "ports/geometry.h"

namespace glouton {

inline constexpr int rows = 13;
inline constexpr int columns = 15;

// Twips of one sub-step of a mover; four make a tile.
inline constexpr int sub_step = sprite_twips / 4;

// Two sprites whose corners lie closer than this on both axes may overlap
// what the other's erase paints, so the erase paints the other one again.
inline constexpr int repaint_distance = 1050;

// True when the corners (ax, ay) and (bx, by) are strictly closer than d on both axes.
constexpr bool within(int ax, int ay, int bx, int by, int d) {
  return (ax > bx ? ax - bx : bx - ax) < d && (ay > by ? ay - by : by - ay) < d;
}

// Cell codes of the maze grid.
enum Cell : int {
  gomme = 0,           // pellet on floor
  mur = 1,             // wall
  sol = 3,             // empty floor
  depart_glouton = 4,  // layout only
  depart_tete2 = 6,    // layout only
  depart_tete1 = 7,    // layout only
  depart_tete3 = 8,    // layout only
  bonus = 9,
};

// labyrinthe(row, column), rows 1..13 and columns 1..15.
class Grid {
 public:
  int& operator()(int r, int c) { return cells_.at(index(r, c)); }
  int operator()(int r, int c) const { return cells_.at(index(r, c)); }

 private:
  // An index outside the maze throws: it can only come from a broken rule.
  static std::size_t index(int r, int c) {
    if (r < 1 || r > rows || c < 1 || c > columns) return cells_size;
    return static_cast<std::size_t>((r - 1) * columns + (c - 1));
  }
  static constexpr std::size_t cells_size = rows * columns;
  std::array<int, cells_size> cells_{};
};

// One chaser (tête). Chaser 1 has no mode and no target corner.
struct Tete {
  int x = 0, y = 0;              // the cell it stands on, or the cell it is moving into
  int dx = 0, dy = 0;            // the current step
  int x_prec = 0, y_prec = 0;    // the cell being left
  int pas_x = 0, pas_y = 0;      // sub-steps done in the current step (-4..4)
  int dessous = 0;               // the code of the cell, read when it arrived there
  bool prete = false;            // standing on a cell, ready to choose a step
  int px = 0, py = 0;            // top-left corner of the sprite as last painted (twips)
  int mode = 0;                  // chasers 2 and 3: 1 hunt the glouton, -1 head for the corner
  int cible_x = 0, cible_y = 0;  // chasers 2 and 3: target corner
  int x_depart = 0, y_depart = 0;
};

struct GameState {
  Grid labyrinthe;
  int nb_gommes = 0;       // pellets of the level
  int gommes_mangees = 0;  // pellets eaten in the level
  int niveau = 0;          // level counter, 0 for the first level
  int valeur_bonus = 0;    // points of the bonus cell

  std::int32_t score = 0;
  std::int32_t meilleur_score = 0;  // best score of the run
  int vies = 0;                     // lives left (in reserve)
  bool touche = false;              // a key was pressed since the last level build

  // The glouton.
  int glouton_x = 0, glouton_y = 0;
  int glouton_x_prec = 0, glouton_y_prec = 0;
  int dir_x = 0, dir_y = 0;  // the requested direction
  bool glouton_pret = false;
  int pas_x = 0, pas_y = 0;
  int glouton_px = 0, glouton_py = 0;
  int glouton_x_depart = 0, glouton_y_depart = 0;

  // Chaser N is tetes[N - 1].
  std::array<Tete, 3> tetes{};
  Tete& tete(int n) { return tetes.at(static_cast<std::size_t>(n - 1)); }
  const Tete& tete(int n) const { return tetes.at(static_cast<std::size_t>(n - 1)); }
};

}  // namespace glouton
