#include "title/form2.h"

namespace glouton {

void Form_Load(Form2& f) {
  f.MMControl1.play(title_music);
}

void Form_Unload(Form2& f) {
  f.MMControl1.close();
}

void Timer1_Timer(Form2& f) {
  f.abscisse += face_step;
  if (f.abscisse > face_rightmost) f.abscisse = 0;
  f.image1_left = f.abscisse;
  f.image1_top = face_top;
}

void Command1_Click(Form2& f) {
  f.Timer1.setEnabled(false);
  f.MMControl1.stop();
  f.go_pressed = true;
}

}  // namespace glouton
