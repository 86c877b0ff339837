#include "program/trace.h"

#include <charconv>

namespace glouton {

namespace {

void number(std::string& out, std::int64_t v) {
  char buf[24];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, end);
}

void boolean(std::string& out, bool v) {
  out += v ? "true" : "false";
}

void string(std::string& out, std::string_view s) {
  static constexpr char hex[] = "0123456789abcdef";
  out += '"';
  for (char ch : s) {
    const auto u = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (u < 0x20) {
      out += "\\u00";
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
}

// "name": with the comma that separates it from the member before.
void member(std::string& out, std::string_view name) {
  out += ",\"";
  out += name;
  out += "\":";
}

void mover(std::string& out, int x, int y, int px, int py, bool ready) {
  out += "{\"x\":";
  number(out, x);
  member(out, "y");
  number(out, y);
  member(out, "px");
  number(out, px);
  member(out, "py");
  number(out, py);
  member(out, "ready");
  boolean(out, ready);
}

}  // namespace

void append_trace_line(std::string& out, const Form1& f, const EventRecord& record,
                       const std::vector<Paint>* paints, std::optional<std::int64_t> wall) {
  out += "{\"t\":";
  number(out, record.t);
  member(out, "ev");
  string(out, event_name(record.ev));
  if (record.ev == Event::key) {
    member(out, "key");
    number(out, record.key);
  }
  member(out, "cues");
  out += '[';
  for (std::size_t i = 0; i < record.cues.size(); ++i) {
    if (i) out += ',';
    number(out, record.cues[i]);
  }
  out += ']';
  member(out, "score");
  number(out, f.score);
  member(out, "best");
  number(out, f.meilleur_score);
  member(out, "lives");
  number(out, f.vies);
  member(out, "level");
  number(out, f.niveau);
  member(out, "eaten");
  number(out, f.gommes_mangees);
  member(out, "pellets");
  number(out, f.nb_gommes);
  member(out, "bonus");
  number(out, f.valeur_bonus);
  member(out, "text1");
  string(out, f.Text1.Text);
  member(out, "text3");
  string(out, f.Text3.Text);
  member(out, "boxes");
  boolean(out, f.Text1.Enabled && f.Text3.Enabled);
  member(out, "keyseen");
  boolean(out, f.touche);
  member(out, "dir");
  out += '[';
  number(out, f.dir_x);
  out += ',';
  number(out, f.dir_y);
  out += ']';
  member(out, "glouton");
  mover(out, f.glouton_x, f.glouton_y, f.glouton_px, f.glouton_py, f.glouton_pret);
  out += '}';
  member(out, "chasers");
  out += '[';
  for (int n = 1; n <= 3; ++n) {
    const Tete& t = f.tete(n);
    if (n > 1) out += ',';
    mover(out, t.x, t.y, t.px, t.py, t.prete);
    member(out, "mode");
    if (n == 1)
      out += "null";
    else
      number(out, t.mode);
    out += '}';
  }
  out += ']';
  member(out, "intervals");
  out += '[';
  number(out, f.Timer2.Interval());
  out += ',';
  number(out, f.Timer3.Interval());
  out += ',';
  number(out, f.Timer4.Interval());
  out += ']';
  if (paints) {
    member(out, "paints");
    out += '[';
    for (std::size_t i = 0; i < paints->size(); ++i) {
      const Paint& p = (*paints)[i];
      if (i) out += ',';
      out += '[';
      string(out, picture_name(p.picture));
      out += ',';
      number(out, p.x);
      out += ',';
      number(out, p.y);
      out += ']';
    }
    out += ']';
  }
  if (wall) {
    member(out, "wall");
    number(out, *wall);
  }
  out += "}\n";
}

}  // namespace glouton
