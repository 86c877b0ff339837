// Which window the program shows from its start to its end: the title window,
// a game window that "GO !" opens over it, and where each window's end leads.
#pragma once

#include "program/run_memory.h"
#include "title/form2.h"

namespace glouton {

enum class Showing {
  nothing,  // before the title window loads, and once the program ends
  title,
  game,
};

// How a game window ended.
enum class GameEnd {
  escape,        // the game's Escape: the whole program ends at once
  frame_closed,  // its frame was closed: back to the title window
  quit,          // the session asked the program to end (TERM, logging out)
};

class WindowFlow {
 public:
  explicit WindowFlow(Form2& title) : title_(title) {}

  // The title window loads: its music starts and its face will slide.
  void start();
  // A game window opens with no title window behind it (the simulator,
  // replays): closing its frame ends the program.
  void start_without_title();
  // After the title window handled an event: "GO !" asks for a game window.
  void title_handled();
  // The title window's frame was closed, or the session ends: its unload runs.
  void title_closed();
  void game_ended(GameEnd end);
  // As before the program started, the best score forgotten (a replay's jump).
  void restart();

  Showing showing() const { return showing_; }
  bool ended() const { return started_ && showing_ == Showing::nothing; }

  // What one game window hands to the next: the best score.
  RunMemory memory;

 private:
  Form2& title_;
  Showing showing_ = Showing::nothing;
  bool started_ = false;
  bool titled_ = false;
};

}  // namespace glouton
