// The program core: the title window and the game windows, their timers, the
// one order of events at an instant, the flow between the windows, the "CC"
// box request and the replay record. A frontend drives it with plain inputs
// stamped with its own clock (ms) and asks when it next needs waking; it
// never blocks and owns no loop, so a loop that belongs to someone else (a
// browser's) drives it as well as the desktop's or the simulator's.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "program/program_flow.h"
#include "program/session.h"
#include "title/form2.h"

namespace glouton {

// What the program asks of the frontend that drives it.
class ProgramHost {
 public:
  virtual ~ProgramHost() = default;
  // A fresh game window opens: the blank surface it paints on.
  virtual Surface& game_window_opened() = 0;
  // The game window is gone (its frame closed, Escape, the program's end).
  virtual void game_window_closed() {}
  // After every handled event of a game window.
  virtual void game_event(const Form1&, const EventRecord&) {}
  // One whole line of the replay (without its line end), when recording.
  virtual void replay_line(std::string_view) {}
};

// A key press as the frontend saw it: the game's virtual key code, the key's
// place on the keyboard (-1 when it has none), whether it is the key's
// repeat, and whether the frontend took it for a comfort (fullscreen, mute).
struct KeyInput {
  int code = 0;
  int place = -1;
  bool repeat = false;
  bool comfort = false;
};

// What a game controller did: the D-pad or stick, its south (A) and east (B) buttons.
enum class PadPress { left, up, right, down, south, east };

// The information box the "CC" button asks for, until the frontend closes it.
struct InformationBox {
  std::string_view prompt;
  std::string_view title;
};

class Program {
 public:
  // `record` writes the replay through the host; `sound` and `music` outlive the program.
  Program(ProgramHost& host, SoundDevice& sound, MusicDevice& music, bool record = false);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The title window loads (its music starts) at `now`.
  void start(std::int64_t now);
  // A game window loads at `now` with no title before it (the simulator, replays).
  void open_game(std::int64_t now);

  // Inputs, each at the frontend's time `now`, never earlier than the last one.
  void key(std::int64_t now, const KeyInput& key);
  void key_released(int place);
  void pad(std::int64_t now, PadPress press);
  void go_clicked(std::int64_t now);  // the title's "GO !" button
  void cc_clicked(std::int64_t now);  // the game's "CC" button
  void information_closed(std::int64_t now);
  void focus_lost();
  void close(std::int64_t now);  // the frame of the window showing was closed
  void quit(std::int64_t now);   // the session asks the program to end
  // Runs every timer due by `now`; ends the wake the inputs at `now` belong to.
  void advance(std::int64_t now);

  // When the program next needs `advance`, on the frontend's clock; none
  // while nothing is due (the box is open, the program has ended).
  std::optional<std::int64_t> next_wake() const;

  Showing showing() const { return flow_.showing(); }
  bool ended() const { return flow_.ended(); }
  const Form2& title() const { return title_; }
  // The game window open now; null on the title.
  const Form1* game() const;
  // The game window open now or, once it is gone, the last one, as it ended.
  const Form1* last_game() const;
  std::optional<InformationBox> information_box() const;
  std::int32_t best_score() const { return flow_.memory.meilleur_score; }

 private:
  struct GameWindow;
  class BoxRequest;

  void go(std::int64_t now);
  void game_key(std::int64_t now, int code);
  // The frame of the window showing closed (`close`) or the session ended (`quit`).
  void end_window(std::int64_t now, std::string_view token, GameEnd end);
  void game_ended(GameEnd end);
  // The replay line of the wake at `now`: `token` is added to it.
  void note(std::int64_t now, std::string_view token);
  void end_wake();

  ProgramHost& host_;
  SoundDevice& sound_;
  bool record_;
  Clock title_clock_;
  std::int64_t title_origin_ = 0;
  Form2 title_;
  ProgramFlow flow_;
  bool title_shown_ = false;
  std::unique_ptr<BoxRequest> box_;
  std::unique_ptr<GameWindow> game_;
  std::unique_ptr<GameWindow> ended_game_;  // kept until the next one opens
  std::bitset<512> held_;                   // key places down since the last loss of focus
  // The replay line being gathered: the game clock's ms, and its inputs.
  std::optional<std::int64_t> line_t_;
  std::string line_;
  bool line_ran_ = false;  // a handler ran during the wake
};

}  // namespace glouton
