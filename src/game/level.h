// The level: its constant layout, its bonus, and the build that paints it whole.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "game/form1.h"

namespace glouton {

// The same maze for every level, one string of cell codes per row.
inline constexpr std::array<std::string_view, rows> layout = {
    "111111111111111",  //
    "100000004000001",  //
    "101111101111101",  //
    "101000000000101",  //
    "101000000000101",  //
    "101001333100101",  //
    "100001333100001",  //
    "101001786100101",  //
    "101001111100101",  //
    "101000090000101",  //
    "101111101111101",  //
    "100000000000001",  //
    "111111111111111",  //
};

struct Bonus {
  Picture picture;
  int value;
};

// The bonus of levels 0 to 3; from level 4 on there is none to show.
std::optional<Bonus> bonus_of_level(int niveau);

// Paints the tile of cell (c, r) from its code, as the movers leave it
// behind: pellet, floor or the level's bonus; nothing for any other code.
void repaint_tile(Form1& f, int c, int r, int code);

// Paints the bonus cell (c, r) with the level's bonus and gives the bonus the
// level's value; from level 4 on it shows floor and keeps the last value.
void paint_bonus_cell(Form1& f, int c, int r);

// Every mover waits for a fresh step from its start cell: no direction asked,
// nothing under the chasers, the ready flags up, chasers 2 and 3 in mode 1.
// The step fields stay as they were.
void movers_ready(Form1& f);
// The glouton, or a chaser, back at its start cell: its cell and its place.
void glouton_to_start(Form1& f);
void tete_to_start(Tete& t);

// Builds and paints a level: movers on their start cells, best score raised,
// lives icons, the grid from the layout, the pellets counted, cue 4.
void initialise_niveau(Form1& f);

}  // namespace glouton
