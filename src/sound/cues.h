// The game window's sound cues by name, and the one table of what each one
// plays. The mixer reads the files of this table at start-up, the build
// makes them (tools/make-sounds.sh) and installs them; a cue is added here
// and in that script, and nowhere else.
#pragma once

#include <array>
#include <string_view>

namespace glouton {

// The game asks for its cues by number, and the trace names them so.
enum class Cue {
  pellet = 1,         // a pellet eaten: the short tone of our own, which cuts nothing short
  bonus = 2,          // the bonus eaten
  level_cleared = 3,  // the last pellet eaten, before the speed-up; the level build cuts it short
  level_built = 4,    // the last step of every level build, and of a lost life
  life_lost = 5,      // the first step of a lost life: never cut short, what comes meanwhile waits
  game_over = 6,      // the fourth capture
};

struct CueSound {
  Cue cue;
  std::string_view file;  // named as the game names it; empty: the beep, no file
  bool held;              // plays to its end, what is asked meanwhile starts after it
};

inline constexpr std::array<CueSound, 6> cue_sounds = {{
    {Cue::pellet, "", false},
    // The bonus sound's name ends in a blank, as the game has always named it.
    {Cue::bonus, "gloutonone/bloop.wav ", false},
    {Cue::level_cleared, "gloutonone/short11.wav", false},
    {Cue::level_built, "gloutonone/short34.wav", false},
    {Cue::life_lost, "gloutonone/silly.wav", true},
    {Cue::game_over, "gloutonone/Halleluj.wav", false},
}};

// The table's row of cue number `nb`, or null: any other number plays nothing.
constexpr const CueSound* cue_sound(int nb) {
  for (const CueSound& s : cue_sounds)
    if (static_cast<int>(s.cue) == nb) return &s;
  return nullptr;
}

}  // namespace glouton
