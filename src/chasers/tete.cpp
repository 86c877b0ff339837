#include "chasers/tete.h"

#include <cstdlib>

#include "capture/initialise_2.h"
#include "game/level.h"

namespace glouton {

void tete_Timer(Form1& f, int n) {
  Tete& t = f.tete(n);
  if (within(f.glouton_px, f.glouton_py, t.px, t.py, capture_distance)) {
    f.vies -= 1;
    initialise_2(f);
    return;
  }
  if (t.prete) {
    t.prete = false;
    chercher_chemin(f, n);
    // The new cell is taken before anything is drawn: for the others this
    // chaser already stands where it is going.
    t.x_prec = t.x;
    t.y_prec = t.y;
    t.x += t.dx;
    t.y += t.dy;
    t.pas_x = 0;
    t.pas_y = 0;
  }
  if (!t.prete) {
    efface_tete(f, n);
    // The tiles just repainted may have covered part of the glouton.
    if (within(f.glouton_px, f.glouton_py, t.px, t.py, repaint_distance))
      f.surface.PaintPicture(Picture::glouton, f.glouton_px, f.glouton_py);
    affiche_tete(f, n);
    if (std::abs(t.pas_y) == 4 || std::abs(t.pas_x) == 4) {
      t.prete = true;
      t.dessous = f.labyrinthe(t.y, t.x);
    }
  }
}

namespace {

int sign(int v) {
  return (v > 0) - (v < 0);
}

// A candidate cell is barred by a wall, by a zero step on the axis tried, or
// by the cell another chaser is leaving or standing on / entering.
bool barred(const Form1& f, int n, int cx, int cy, int delta) {
  bool is_barred = f.labyrinthe(cy, cx) == mur || delta == 0;
  for (int m = 1; m <= 3; ++m) {
    if (m == n) continue;
    const Tete& other = f.tete(m);
    if (cx == other.x_prec && cy == other.y_prec) is_barred = true;
    if (cx == other.x && cy == other.y) is_barred = true;
  }
  return is_barred;
}

bool has_mode(int n) {
  return n != 1;
}

}  // namespace

void chercher_chemin(Form1& f, int n) {
  Tete& t = f.tete(n);
  const bool hunts = !has_mode(n) || t.mode == 1;
  const int tx = hunts ? f.glouton_x : t.cible_x;
  const int ty = hunts ? f.glouton_y : t.cible_y;

  // Along the row first, then along the column.
  t.dy = 0;
  t.dx = sign(tx - t.x);
  if (!barred(f, n, t.x + t.dx, t.y, t.dx)) return;
  t.dx = 0;
  t.dy = sign(ty - t.y);
  if (!barred(f, n, t.x, t.y + t.dy, t.dy)) return;

  // Barred both ways: chaser 1 waits; the others change their mind.
  t.dy = 0;
  t.prete = true;
  if (has_mode(n)) {
    t.mode = -t.mode;
    nouvelle_cible(f, n);
  }
}

void nouvelle_cible(Form1& f, int n) {
  Tete& t = f.tete(n);
  // The halves of the 15-column and 13-row maze: x < 15 / 2, y < 13 / 2.
  t.cible_x = 2 * t.x < columns ? 14 : 0;
  t.cible_y = 2 * t.y < rows ? 12 : 0;
}

void efface_tete(Form1& f, int n) {
  const Tete& t = f.tete(n);
  // Both tiles from the grid as it is now: what the glouton ate stays eaten.
  repaint_tile(f, t.x_prec, t.y_prec, f.labyrinthe(t.y_prec, t.x_prec));
  repaint_tile(f, t.x, t.y, f.labyrinthe(t.y, t.x));
}

void affiche_tete(Form1& f, int n) {
  Tete& t = f.tete(n);
  const Picture sprite = tete_picture(n);
  t.pas_x += t.x - t.x_prec;
  t.pas_y += t.y - t.y_prec;
  t.px = sprite_twips * t.x_prec + sub_step * t.pas_x;
  t.py = sprite_twips * t.y_prec + sub_step * t.pas_y;
  f.surface.PaintPicture(sprite, t.px, t.py);
}

}  // namespace glouton
