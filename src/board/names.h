// The names players give their runs: checked and normalised before anything
// stores them, since the board shows them to everyone.
#pragma once

#include <string>
#include <string_view>

namespace glouton::board {

inline constexpr int name_length_limit = 20;  // characters (code points), once in NFC

struct NameCheck {
  std::string name;   // in NFC, when good
  std::string error;  // why the name is refused, empty when it is good
};

// Refused: a name that is not UTF-8, empty or only blanks, longer than
// name_length_limit, or that holds a control character, an unassigned code
// point or a bidirectional formatting character (which could turn the text
// around it on the page).
NameCheck check_name(std::string_view name);

}  // namespace glouton::board
