#include "game/level.h"

namespace glouton {

std::optional<Bonus> bonus_of_level(int niveau) {
  switch (niveau) {
    case 0:
      return Bonus{Picture::bonus1, 50};
    case 1:
      return Bonus{Picture::bonus2, 60};
    case 2:
      return Bonus{Picture::bonus3, 70};
    case 3:
      return Bonus{Picture::bonus4, 100};
    default:
      return std::nullopt;
  }
}

void repaint_tile(Form1& f, int c, int r, int code) {
  switch (code) {
    case gomme:
      paint_on_cell(f.surface, Picture::gomme, c, r);
      break;
    case sol:
      paint_on_cell(f.surface, Picture::sol, c, r);
      break;
    case bonus: {
      // From level 4 on the bonus cell shows floor, as the level build paints it.
      const std::optional<Bonus> b = bonus_of_level(f.niveau);
      paint_on_cell(f.surface, b ? b->picture : Picture::sol, c, r);
      break;
    }
    default:
      break;
  }
}

void paint_bonus_cell(Form1& f, int c, int r) {
  repaint_tile(f, c, r, bonus);
  // From level 4 on the cell shows floor and the bonus keeps the last value.
  if (const std::optional<Bonus> b = bonus_of_level(f.niveau)) f.valeur_bonus = b->value;
}

namespace {

// A mover's start cell: floor first, so nothing of an earlier sprite shows
// around it, then the mover's sprite on top.
void paint_on_start_cell(Form1& f, Picture sprite, int c, int r) {
  paint_on_cell(f.surface, Picture::sol, c, r);
  paint_on_cell(f.surface, sprite, c, r);
}

void place_tete_on_start(Form1& f, int n, int c, int r) {
  paint_on_start_cell(f, tete_picture(n), c, r);
  Tete& t = f.tete(n);
  t.x_depart = c;
  t.y_depart = r;
  tete_to_start(t);
  f.labyrinthe(r, c) = sol;
}

}  // namespace

void movers_ready(Form1& f) {
  f.dir_x = 0;
  f.dir_y = 0;  // the glouton waits for a direction key
  for (Tete& t : f.tetes) t.dessous = sol;
  f.glouton_pret = true;
  for (Tete& t : f.tetes) t.prete = true;
  f.tete(2).mode = 1;
  f.tete(3).mode = 1;
}

void glouton_to_start(Form1& f) {
  f.glouton_x = f.glouton_x_depart;
  f.glouton_y = f.glouton_y_depart;
  f.glouton_px = f.glouton_x_depart * sprite_twips;
  f.glouton_py = f.glouton_y_depart * sprite_twips;
}

void tete_to_start(Tete& t) {
  t.x = t.x_depart;
  t.y = t.y_depart;
  t.px = t.x_depart * sprite_twips;
  t.py = t.y_depart * sprite_twips;
}

void initialise_niveau(Form1& f) {
  movers_ready(f);
  f.nb_gommes = 0;
  if (f.score > f.meilleur_score) f.meilleur_score = f.score;
  f.touche = false;

  // One icon per life held in reserve, in the strip above the maze.
  const int w = sprite_twips;
  for (int i = 0; i <= f.vies - 1; ++i)
    f.surface.PaintPicture(Picture::glouton, (i + 1) * w + 240, 0);

  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      const int digit =
          layout[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] - '0';
      f.labyrinthe(r, c) = digit;
      switch (digit) {
        case mur:
          paint_on_cell(f.surface, Picture::mur, c, r);
          break;
        case gomme:
          paint_on_cell(f.surface, Picture::gomme, c, r);
          f.nb_gommes += 1;
          break;
        case sol:
          paint_on_cell(f.surface, Picture::sol, c, r);
          break;
        case depart_glouton:
          paint_on_start_cell(f, Picture::glouton, c, r);
          f.glouton_x_depart = c;
          f.glouton_y_depart = r;
          glouton_to_start(f);
          f.labyrinthe(r, c) = sol;
          break;
        case bonus:
          paint_bonus_cell(f, c, r);
          break;
        case depart_tete1:
          place_tete_on_start(f, 1, c, r);
          break;
        case depart_tete2:
          place_tete_on_start(f, 2, c, r);
          break;
        case depart_tete3:
          place_tete_on_start(f, 3, c, r);
          break;
        default:
          break;
      }
    }
  }

  jouer_son(f.MMControl1, Cue::level_built);
}

}  // namespace glouton
