#include "game/form_load.h"

#include <string>

#include "game/level.h"

namespace glouton {

const std::string_view information_prompt =
    "Glouton, un jeu de labyrinthe pour un joueur affamé.\r\n"
    "Mangez toutes les gommes, attrapez le bonus, fuyez les trois têtes.\r\n"
    "Fait avec soin par Glouton & Cie.";

void Form_Load(Form1& f) {
  f.MMControl1.open();
  nouvelle_partie(f);
  initialise_niveau(f);
  f.Timer2.setEnabled(true);
  f.Timer3.setEnabled(true);
  f.Timer4.setEnabled(true);
}

void Form_Unload(Form1& f) {
  f.MMControl1.close();
  f.unloaded = true;
}

void nouvelle_partie(Form1& f) {
  f.vies = 3;
  f.gommes_mangees = 0;
  f.Timer2.setInterval(250);
  f.Timer3.setInterval(200);
  f.Timer4.setInterval(225);
}

void accelerer(Form1& f) {
  for (Timer* t : {&f.Timer2, &f.Timer3, &f.Timer4}) {
    t->setInterval(t->Interval() - 20);
    if (t->Interval() <= fastest_chaser_interval) t->setInterval(fastest_chaser_interval);
  }
}

void Timer5_Timer(Form1& f) {
  if (!f.touche) return;
  f.Text1.Enabled = true;
  f.Text3.Enabled = true;
  f.Text3.Text = std::to_string(f.meilleur_score);
}

void Command1_Click(Form1& f) {
  f.dialogs.MsgBox(information_prompt, information_title);
}

}  // namespace glouton
