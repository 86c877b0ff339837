#include "player/glouton.h"

#include <cstdlib>
#include <string>

#include "game/form_load.h"
#include "game/level.h"

namespace glouton {

void Form_KeyDown(Form1& f, int key_code) {
  f.touche = true;
  switch (key_code) {
    case key_escape:
      Form_Unload(f);
      f.end_program = true;
      break;
    case key_space:
      f.dir_x = 0, f.dir_y = 0;
      break;
    case key_left:
      f.dir_x = -1, f.dir_y = 0;
      break;
    case key_up:
      f.dir_x = 0, f.dir_y = -1;
      break;
    case key_right:
      f.dir_x = 1, f.dir_y = 0;
      break;
    case key_down:
      f.dir_x = 0, f.dir_y = 1;
      break;
    default:
      break;
  }
}

namespace {

// The glouton enters a cell: what lies there is eaten at once.
void eat(Form1& f) {
  int& cell = f.labyrinthe(f.glouton_y, f.glouton_x);
  if (cell == gomme) {
    f.score += 10;
    f.Text1.Text = std::to_string(f.score);
    cell = sol;
    f.gommes_mangees += 1;
    jouer_son(f.MMControl1, Cue::pellet);
  } else if (cell == bonus) {
    // The bonus is no pellet: it does not count towards the level end.
    f.score += f.valeur_bonus;
    f.Text1.Text = std::to_string(f.score);
    cell = sol;
    jouer_son(f.MMControl1, Cue::bonus);
  }
}

}  // namespace

void Timer1_Timer(Form1& f) {
  if (f.glouton_pret) {
    if (f.gommes_mangees == f.nb_gommes) {
      f.gommes_mangees = 0;
      jouer_son(f.MMControl1, Cue::level_cleared);
      accelerer(f);
      f.niveau += 1;
      initialise_niveau(f);
      return;
    }
    const int cx = f.glouton_x + f.dir_x;
    const int cy = f.glouton_y + f.dir_y;
    const bool moves = (cx != f.glouton_x || cy != f.glouton_y) && f.labyrinthe(cy, cx) != mur;
    if (moves) {
      f.glouton_pret = false;
      f.glouton_x_prec = f.glouton_x;
      f.glouton_y_prec = f.glouton_y;
      f.glouton_x = cx;
      f.glouton_y = cy;
      f.pas_x = 0;
      f.pas_y = 0;
      eat(f);
    }
  }
  if (!f.glouton_pret) {
    efface_glouton2(f);
    affiche_glouton2(f);
    if (std::abs(f.pas_x) == 4 || std::abs(f.pas_y) == 4) f.glouton_pret = true;
  }
}

void efface_glouton2(Form1& f) {
  f.surface.PaintPicture(Picture::sol, f.glouton_px, f.glouton_py);
  // The floor may have covered part of a chaser close by: paint it again where it stands.
  for (int n = 1; n <= 3; ++n) {
    const Tete& t = f.tete(n);
    if (within(t.px, t.py, f.glouton_px, f.glouton_py, repaint_distance))
      f.surface.PaintPicture(tete_picture(n), t.px, t.py);
  }
}

void affiche_glouton2(Form1& f) {
  f.pas_x += f.glouton_x - f.glouton_x_prec;
  f.pas_y += f.glouton_y - f.glouton_y_prec;
  const int x = f.glouton_x_prec * sprite_twips + f.pas_x * sub_step;
  const int y = f.glouton_y_prec * sprite_twips + f.pas_y * sub_step;
  f.surface.PaintPicture(Picture::glouton, x, y);
  f.glouton_px = x;
  f.glouton_py = y;
}

}  // namespace glouton
