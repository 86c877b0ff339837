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
  require(e.rfind("keys:", 0) == 0, "error does not start with keys:", e);
  std::size_t i = 5;
  std::size_t line = 0;
  while (i < e.size() && e[i] >= '0' && e[i] <= '9' && line <= lines.size())
    line = line * 10 + static_cast<std::size_t>(e[i++] - '0');
  require(i > 5 && e.compare(i, 2, ": ") == 0 && e.size() > i + 2, "no line number", e);
  require(line >= 1 && line <= lines.size(), "line number outside the text", e);
  require(holds_event(lines[line - 1]), "error on a blank or comment line", e);
  for (const char ch : e) require(ch >= 0x20 && ch < 0x7f, "unprintable error message", e);
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
