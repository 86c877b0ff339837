// The cost of one handler of each kind, on a game in play.
#include <benchmark/benchmark.h>

#include "capture/initialise_2.h"
#include "chasers/tete.h"
#include "game/form_load.h"
#include "game/level.h"
#include "player/glouton.h"
#include "sim/simulation.h"

namespace glouton {
namespace {

// A game window as the simulator has it, without recording paints.
struct Window {
  Clock clock;
  RecordingSurface surface{false};
  SilentDevice sound;
  NoDialogs dialogs;
  Form1 form{clock, surface, sound, dialogs};
  Window() { Form_Load(form); }
};

void GloutonStep(benchmark::State& state) {
  Window w;
  Form_KeyDown(w.form, key_left);
  for (auto _ : state) {
    Timer1_Timer(w.form);
    // Run between the two ends of row 2, forever.
    if (w.form.glouton_pret && w.form.glouton_x == 2) Form_KeyDown(w.form, key_right);
    if (w.form.glouton_pret && w.form.glouton_x == 14) Form_KeyDown(w.form, key_left);
    w.form.gommes_mangees = 0;  // never end the level
  }
}
BENCHMARK(GloutonStep);

void ChaserTickWithRouteSearch(benchmark::State& state) {
  Window w;
  // The glouton out of reach in a corner; the chasers keep searching and moving.
  w.form.glouton_x = 14;
  w.form.glouton_y = 12;
  w.form.glouton_px = 14 * 480;
  w.form.glouton_py = 12 * 480;
  for (auto _ : state) {
    tete_Timer(w.form, 2);
    if (w.form.vies < 3) w.form.vies = 3;  // a capture is measured on its own
  }
}
BENCHMARK(ChaserTickWithRouteSearch);

void LevelBuild(benchmark::State& state) {
  Window w;
  for (auto _ : state) initialise_niveau(w.form);
}
BENCHMARK(LevelBuild);

void Capture(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.form.vies = 2;
    initialise_2(w.form);
  }
}
BENCHMARK(Capture);

}  // namespace
}  // namespace glouton

BENCHMARK_MAIN();
