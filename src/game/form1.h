// Form1, the game window as the core sees it: the game state, the controls
// (five timers, two text boxes, the sound device) and the ports it paints on.
#pragma once

#include <array>

#include "game/state.h"
#include "game/text_box.h"
#include "game/timer.h"
#include "ports/dialogs.h"
#include "ports/surface.h"
#include "sound/jouer_son.h"

namespace glouton {

struct Form1 : GameState {
  Form1(const Clock& clock, Surface& drawing, SoundDevice& sound, Dialogs& boxes)
      : surface(drawing),
        dialogs(boxes),
        MMControl1(sound),
        Timer1(clock, 100, true),
        Timer2(clock, 300, false),
        Timer3(clock, 250, false),
        Timer4(clock, 250, false),
        Timer5(clock, 5000, true) {}

  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  Surface& surface;
  Dialogs& dialogs;
  MMControl MMControl1;

  Timer Timer1;  // the glouton's step
  Timer Timer2;  // chaser 1
  Timer Timer3;  // chaser 2
  Timer Timer4;  // chaser 3
  Timer Timer5;  // the best-score display

  TextBox Text1;  // the score
  TextBox Text3;  // the best score

  bool unloaded = false;     // Form_Unload ran: the window is gone
  bool end_program = false;  // Escape: the program ends after the unload

  // The chaser n's timer (1..3 -> Timer2..Timer4).
  Timer& timer_of_tete(int n) { return *timers()[static_cast<std::size_t>(n)]; }
  std::array<Timer*, 5> timers() { return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5}; }
  std::array<const Timer*, 5> timers() const {
    return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5};
  }
};

}  // namespace glouton
