#include "program/text_fields.h"

namespace glouton {

namespace {

bool is_blank(char ch) {
  return ch == ' ' || ch == '\t';
}

}  // namespace

std::optional<std::int64_t> parse_digits(std::string_view s, std::int64_t limit) {
  if (s.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return std::nullopt;
    const int digit = ch - '0';
    if (value > (limit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
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
