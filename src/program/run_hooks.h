// What a frontend tells the program that started it of one run, whichever
// frontend it is: the desktop's SDL loop or the page's. Each hook is optional.
#pragma once

#include <functional>
#include <string_view>

namespace glouton {

struct RunHooks {
  // The trace line of every handled event, with its `wall` (the real ms from
  // the window's load to the handler's start); set, the run is traced.
  std::function<void(std::string_view)> trace_line;
  // One whole replay line; set, the run is recorded.
  std::function<void(std::string_view)> replay_line;
  // The first frame of the title window, and of each game window, is on the screen.
  std::function<void()> title_first_frame;
  std::function<void()> game_first_frame;
};

}  // namespace glouton
