// The plain-text files the program reads (key scripts, replays): lines of
// fields separated by blanks, decimal numbers, and user text quoted in a
// one-line message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glouton {

// Plain decimal digits, no sign; nullopt when not a number or past `limit`.
std::optional<std::int64_t> parse_digits(std::string_view s, std::int64_t limit);

// The lines of a text one at a time, numbered from 1, each without its line
// end (a line feed, with or without a carriage return before it).
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line; none once the text is read.
  std::optional<std::string_view> next();
  std::int64_t number() const { return number_; }
  // The line last read ended with a line feed (the last one of a text may not).
  bool ended() const { return ended_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::int64_t number_ = 0;
  bool ended_ = false;
};

// The name without its trailing blanks (one sound of the game is named so).
std::string trim_trailing_blanks(std::string_view name);

// The fields of a line, split at spaces and tabs.
std::vector<std::string_view> split_fields(std::string_view line);

// Text from the user quoted in a message: short and printable, so the
// message stays one line.
std::string quoted(std::string_view text, std::size_t most = 40);

}  // namespace glouton
