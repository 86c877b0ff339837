// The three chasers (têtes): their ticks with the capture test, their route
// search and target corners, and their drawing with the tiles they cross.
// One routine serves all three; n is the chaser's number, 1 to 3.
#pragma once

#include "game/form1.h"

namespace glouton {

// A chaser whose sprite corner is strictly closer than this to the glouton's
// on both axes has caught it.
inline constexpr int capture_distance = 300;

// The tick of chaser n's timer (Timer2, Timer3, Timer4 for chasers 1, 2, 3).
void tete_Timer(Form1& f, int n);

// Chooses the next step of a ready chaser, or leaves it ready with no step
// (chasers 2 and 3 then switch mode and take a new target corner).
void chercher_chemin(Form1& f, int n);
// The corner opposite the quadrant the chaser stands in.
void nouvelle_cible(Form1& f, int n);

void efface_tete(Form1& f, int n);
void affiche_tete(Form1& f, int n);

}  // namespace glouton
