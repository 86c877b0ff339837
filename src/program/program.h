// The program core: the title window and the game windows, their timers, the
// one order of events at an instant, the flow between the windows, the "CC"
// box request, the replay record and replay playback. A frontend drives it
// with plain inputs stamped with its own clock (ms), asks when it next needs
// waking, and draws the paints and the view it is given; it never blocks and
// owns no loop, so a loop that belongs to someone else (a browser's) drives
// it as well as the desktop's or the simulator's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "program/event_order.h"
#include "program/input.h"
#include "program/program_view.h"
#include "program/replay.h"
#include "program/replay_viewer.h"
#include "program/sound_gate.h"
#include "program/window_flow.h"
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
  // A watched replay goes on in the game window open now, or jumped: the
  // same window's surface, blank again.
  virtual Surface& game_window_blanked() {
    game_window_closed();
    return game_window_opened();
  }
  // After every handled event of a game window: its trace line, whole and
  // without its line end, when the program traces; else empty.
  virtual void game_event(std::string_view) {}
  // The trace's `wall` member, while the line is written: the real ms from
  // the game window's load to the start of the handler; none, no member.
  virtual std::optional<std::int64_t> trace_wall() const { return std::nullopt; }
  // One whole line of the replay (without its line end), when recording.
  virtual void replay_line(std::string_view) {}
};

// What the program writes through its host as it goes.
struct ProgramOutputs {
  bool replay = false;  // replay_line()
  bool trace = false;   // game_event() with the trace line
};

class Program {
 public:
  // `sound` and `music` outlive the program.
  Program(ProgramHost& host, SoundDevice& sound, MusicDevice& music, ProgramOutputs outputs = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The title window loads (its music starts) at `now`.
  void start(std::int64_t now);
  // A game window loads at `now` with no title before it (the simulator).
  void open_game(std::int64_t now);
  // A recorded run plays from `now`, straight on its game windows, each wake
  // at its own time: the replay is the source of the game's inputs in the
  // player's place. Escape, or closing the window or the session, ends it.
  void play_replay(std::int64_t now, std::vector<ReplayStep> steps);
  // A recorded run shown to a viewer from `now` (program/replay_viewer.h):
  // the player's keys and seeks steer the viewer, and the last moment stays
  // on the screen until Escape, or closing the window or the session.
  void watch_replay(std::int64_t now, std::vector<ReplayStep> steps);

  // Every input of every device, at the frontend's time `now`, never
  // earlier than the last one. It goes to the game, or, while a replay
  // plays, to the replay.
  void feed(std::int64_t now, const Input& input);
  // Runs every timer due by `now`; ends the wake the inputs at `now` belong to.
  void advance(std::int64_t now);

  // When the program next needs `advance`, on the frontend's clock; none
  // while nothing is due (the box is open, the program has ended).
  std::optional<std::int64_t> next_wake() const;
  bool ended() const;

  // What the windows show besides their paints, as of the last take_changes().
  const ProgramView& view() const { return view_; }
  // Brings the view up to date and says what changed since the last call
  // (everything, the first time).
  ViewChanges take_changes();

  // For the simulator and tests; a frontend draws from view() and the paints.
  // The game window open now (null on the title) or, once gone, the last one.
  const Form1* game() const;
  const Form1* last_game() const;
  // The last event a game window handled, the one game_event() told of.
  const EventRecord& last_event() const { return last_event_; }
  std::int32_t best_score() const { return flow_.memory.meilleur_score; }

 private:
  struct GameWindow;
  class BoxRequest;
  // Where the game's inputs come from (program/input_sources.h).
  class Source;
  class PlayerSource;
  class ReplaySource;
  class WatchedSource;

  // The one way a game window's input goes in, from the player or a replay.
  void apply(std::int64_t now, const ReplayStep& step);
  // The end of a wake: every timer due by `now` runs.
  void wake(std::int64_t now);
  void title_wake(std::int64_t now);
  void go(std::int64_t now);
  void open_game_window(std::int64_t now);
  void game_ended(GameEnd end);
  // A game window handled an event: the host hears of it, with its trace line.
  void game_event(const EventRecord& record);
  void end_game_if_unloaded();
  // The game window showing goes as the session's end takes it, with its unload.
  void quit_game();
  // The game windows go as they stand, for a replay played again from its start.
  void drop_windows();
  // When the title's or the game window's timers are next due.
  std::optional<std::int64_t> title_due() const;
  std::optional<std::int64_t> game_due() const;
  bool box_open() const;
  std::optional<InformationBox> information_box() const;

  ProgramHost& host_;
  SoundDevice& sound_;
  std::optional<ReplayRecorder> recorder_;
  bool trace_;
  EventRecord last_event_;
  Clock title_clock_;
  std::int64_t title_origin_ = 0;
  Form2 title_;
  WindowFlow flow_;
  bool title_shown_ = false;
  std::unique_ptr<BoxRequest> box_;
  // The sound of the game windows: a watched replay lets cues through only at ×1.
  std::unique_ptr<SoundGate> gate_;
  std::unique_ptr<GameWindow> game_;
  std::unique_ptr<GameWindow> ended_game_;  // kept until the next one opens
  std::unique_ptr<Source> source_;
  bool silent_ = false;       // a jump plays: the host hears of no event
  bool host_window_ = false;  // the host has a game window open
  ProgramView view_;
  bool view_taken_ = false;
};

}  // namespace glouton
