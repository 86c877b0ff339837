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
  const Picture sprite = tete_picture(n);
  paint_on_start_cell(f, sprite, c, r);
  Tete& t = f.tete(n);
  t.x = c;
  t.y = r;
  t.x_depart = c;
  t.y_depart = r;
  t.px = c * sprite_twips;
  t.py = r * sprite_twips;
  f.labyrinthe(r, c) = sol;
}

}  // namespace

void initialise_niveau(Form1& f) {
  f.dir_x = 0;
  f.dir_y = 0;  // the glouton waits for a direction key
  f.nb_gommes = 0;
  for (Tete& t : f.tetes) t.dessous = sol;
  f.glouton_pret = true;
  for (Tete& t : f.tetes) t.prete = true;
  if (f.score > f.meilleur_score) f.meilleur_score = f.score;
  f.touche = false;
  f.tete(2).mode = 1;
  f.tete(3).mode = 1;

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
          f.glouton_x = c;
          f.glouton_y = r;
          f.glouton_x_depart = c;
          f.glouton_y_depart = r;
          f.glouton_px = c * sprite_twips;
          f.glouton_py = r * sprite_twips;
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
