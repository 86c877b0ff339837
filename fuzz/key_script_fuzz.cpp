// libFuzzer harness for the key-script reader: any text gives events that read
// back the same, or one printable "keys:LINE: why" naming a line with an event.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "sim/key_script.h"

namespace {

using glouton::fuzz::require;

// The lines of the text as the reader counts them, CR of a CR LF dropped.
std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

// A line with an event on it: not blank, not a comment.
bool holds_event(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] != '#';
}

void check_error(const glouton::KeyScriptResult& r, const std::vector<std::string_view>& lines) {
  const std::string& e = r.error;
  require(r.events.empty(), "events kept with an error", e);
  const std::size_t line = glouton::fuzz::error_line(e, "keys", lines.size());
  require(holds_event(lines[line - 1]), "error on a blank or comment line", e);
}

void check_events(const glouton::KeyScriptResult& r, const std::vector<std::string_view>& lines) {
  std::size_t with_events = 0;
  for (const std::string_view line : lines) with_events += holds_event(line) ? 1 : 0;
  require(r.events.size() == with_events, "not one event per line that holds one");
  std::string again;
  for (std::size_t k = 0; k < r.events.size(); ++k) {
    const glouton::KeyEvent& ev = r.events[k];
    require(ev.t >= 0, "negative time");
    require(k == 0 || ev.t >= r.events[k - 1].t, "time goes backwards");
    require(ev.code >= 0 && ev.code <= 65535, "key code out of range");
    again += std::to_string(ev.t) + "\t" + std::to_string(ev.code) + "\r\n";
  }
  // Written back as plain numbers, the events read the same.
  const glouton::KeyScriptResult back = glouton::parse_key_script(again);
  require(back.error.empty(), "events written back do not read", back.error);
  require(back.events.size() == r.events.size(), "events written back read differently");
  for (std::size_t k = 0; k < r.events.size(); ++k)
    require(back.events[k].t == r.events[k].t && back.events[k].code == r.events[k].code,
            "event written back reads differently");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const glouton::KeyScriptResult r = glouton::parse_key_script(text);
  const std::vector<std::string_view> lines = lines_of(text);
  if (r.error.empty())
    check_events(r, lines);
  else
    check_error(r, lines);
  return 0;
}
