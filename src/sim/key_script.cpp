#include "sim/key_script.h"

#include "ports/keys.h"
#include "program/text_fields.h"

#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace glouton {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 6> key_names = {{{"left", key_left},
                                                                        {"up", key_up},
                                                                        {"right", key_right},
                                                                        {"down", key_down},
                                                                        {"space", key_space},
                                                                        {"escape", key_escape}}};

std::optional<int> parse_key(std::string_view s) {
  for (const auto& [name, code] : key_names)
    if (s == name) return code;
  if (const auto code = parse_digits(s, 65535)) return static_cast<int>(*code);
  return std::nullopt;
}

}  // namespace

KeyScriptResult parse_key_script(std::string_view text) {
  KeyScriptResult result;
  std::int64_t line_number = 0;
  std::int64_t last_time = 0;
  auto fail = [&](std::string_view why) {
    result.events.clear();
    result.error = "keys:" + std::to_string(line_number) + ": " + std::string(why);
    return result;
  };

  LineReader lines(text);
  while (const std::optional<std::string_view> line = lines.next()) {
    line_number = lines.number();
    const std::vector<std::string_view> fields = split_fields(*line);
    if (fields.empty() || fields.front().front() == '#') continue;
    if (fields.size() < 2) return fail("expected a time and a key");
    if (fields.size() > 2) return fail("unexpected text after the key");

    const auto t = parse_digits(fields[0], std::numeric_limits<std::int64_t>::max());
    if (!t) return fail("bad time " + quoted(fields[0]));
    if (*t < last_time) return fail("time goes backwards");
    const auto code = parse_key(fields[1]);
    if (!code) return fail("unknown key " + quoted(fields[1]));

    last_time = *t;
    result.events.push_back({*t, *code});
  }
  return result;
}

}  // namespace glouton
