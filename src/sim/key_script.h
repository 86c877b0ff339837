// The simulator's key script: one `MS KEY` event per line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glouton {

struct KeyEvent {
  std::int64_t t = 0;  // ms
  int code = 0;        // virtual key code
};

struct KeyScriptResult {
  std::vector<KeyEvent> events;
  std::string error;  // "keys:LINE: why" for a bad script, empty when it is good
};

// Reads a whole script. Blank lines and comment lines are skipped but counted.
KeyScriptResult parse_key_script(std::string_view text);

}  // namespace glouton
