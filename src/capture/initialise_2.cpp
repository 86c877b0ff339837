#include "capture/initialise_2.h"

#include "game/form_load.h"
#include "game/level.h"

namespace glouton {

namespace {

// The whole maze from the grid, over the movers wherever they stood.
void repaint_maze_from_grid(Form1& f) {
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      const int code = f.labyrinthe(r, c);
      if (code == mur)
        paint_on_cell(f.surface, Picture::mur, c, r);
      else if (code == bonus)
        paint_bonus_cell(f, c, r);
      else
        repaint_tile(f, c, r, code);
    }
  }
}

void lose_a_life(Form1& f) {
  // The icon of the life just lost.
  f.surface.PaintPicture(Picture::sol, 240 + (f.vies + 1) * sprite_twips, 0);
  jouer_son(f.MMControl1, Cue::life_lost);
  movers_ready(f);

  repaint_maze_from_grid(f);

  // The movers back on their start cells, on top of the maze. Their step
  // fields stay: the ready flags make each one start afresh from there.
  for (int n = 1; n <= 3; ++n) {
    Tete& t = f.tete(n);
    paint_on_cell(f.surface, tete_picture(n), t.x_depart, t.y_depart);
    tete_to_start(t);
  }
  paint_on_cell(f.surface, Picture::glouton, f.glouton_x_depart, f.glouton_y_depart);
  glouton_to_start(f);

  jouer_son(f.MMControl1, Cue::level_built);
}

void game_over(Form1& f) {
  f.niveau = 0;
  jouer_son(f.MMControl1, Cue::game_over);
  nouvelle_partie(f);
  initialise_niveau(f);
  // Only now: the build has raised the best score from the finished game.
  // Text1 keeps showing that score until the next pellet.
  f.score = 0;
}

}  // namespace

void initialise_2(Form1& f) {
  if (f.vies >= 0)
    lose_a_life(f);
  else
    game_over(f);
}

}  // namespace glouton
