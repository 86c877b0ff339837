// Form2, the title window as the core sees it: the sliding face, the music,
// and "GO !", which hands over to a fresh game window.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/timer.h"
#include "ports/music_device.h"

namespace glouton {

inline constexpr std::string_view title_music = "gloutonone/musique-bis.mid";

// Where the face stands at the window's design, before the first tick (twips).
inline constexpr int face_design_left = 225;
inline constexpr int face_design_top = 4005;
// Where it slides: one row, back to the left after passing this.
inline constexpr int face_top = 4500;
inline constexpr int face_rightmost = 9600;
inline constexpr int face_step = 60;

struct Form2 {
  Form2(const Clock& clock, MusicDevice& music) : MMControl1(music), Timer1(clock, 200, true) {}

  MusicDevice& MMControl1;
  Timer Timer1;  // the face's slide

  int abscisse = 0;  // the face's left edge, twips
  // Image1's place (twips).
  int image1_left = face_design_left;
  int image1_top = face_design_top;

  bool go_pressed = false;  // "GO !" asks for the game window
};

void Form_Load(Form2& f);
void Form_Unload(Form2& f);
void Timer1_Timer(Form2& f);
// Stops the face and the music, then asks for the game window.
void Command1_Click(Form2& f);

}  // namespace glouton
