#include "program/text_fields.h"

#include <charconv>

namespace glouton {

namespace {

bool is_blank(char ch) {
  return ch == ' ' || ch == '\t';
}

}  // namespace

std::optional<std::int64_t> parse_digits(std::string_view s, std::int64_t limit) {
  // from_chars takes a sign too: only digits are a number here.
  if (s.empty() || s.front() < '0' || s.front() > '9') return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size() || value > limit) return std::nullopt;
  return value;
}

std::optional<std::string_view> LineReader::next() {
  if (pos_ >= text_.size()) return std::nullopt;
  std::size_t end = text_.find('\n', pos_);
  ended_ = end != std::string_view::npos;
  if (!ended_) end = text_.size();
  std::string_view line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  ++number_;
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string trim_trailing_blanks(std::string_view name) {
  const std::size_t end = name.find_last_not_of(" \t");
  return std::string(end == std::string_view::npos ? std::string_view{} : name.substr(0, end + 1));
}

std::vector<std::string_view> split_fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && is_blank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !is_blank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::string quoted(std::string_view field, std::size_t most) {
  std::string out = "'";
  for (std::size_t i = 0; i < field.size() && i < most; ++i) {
    const unsigned char ch = static_cast<unsigned char>(field[i]);
    out += (ch >= 0x20 && ch < 0x7f) ? static_cast<char>(ch) : '?';
  }
  if (field.size() > most) out += "...";
  return out + "'";
}

}  // namespace glouton
