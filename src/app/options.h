// The game's command line: nothing, or --trace FILE, --record FILE or
// --replay FILE, --help, --version.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace glouton::app {

inline constexpr const char* usage =
    "usage: glouton [--trace FILE] [--record FILE | --replay FILE]\n"
    "Plays Glouton in its window. Arrows steer, Escape quits.\n"
    "  --trace FILE   write one JSON line per handled event to FILE\n"
    "  --record FILE  write a replay of the game windows to FILE\n"
    "  --replay FILE  watch a recorded game: Right/Left faster/slower, Space hold,\n"
    "                 Home, 1..9, End jump (start, 10..90 %, end), Escape quits\n"
    "                 (FILE: a replay, a file holding a share link from the page,\n"
    "                 or the share link itself)\n"
    "  --help, --version\n";

enum class Action { play, help, version };

struct Options {
  Action action = Action::play;
  std::optional<std::string> trace;
  std::optional<std::string> record;
  std::optional<std::string> replay;
};

struct Parsed {
  Options options;
  std::optional<std::string> error;  // a bad command line, said in a few words
};

Parsed parse_options(const std::vector<std::string>& args);

}  // namespace glouton::app
