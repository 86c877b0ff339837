#include "board/names.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>

namespace glouton::board {

namespace {

bool bidi_control(utf8proc_int32_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

NameCheck check_name(std::string_view name) {
  utf8proc_uint8_t* mapped = nullptr;
  const utf8proc_ssize_t size = utf8proc_map(
      reinterpret_cast<const utf8proc_uint8_t*>(name.data()),
      static_cast<utf8proc_ssize_t>(name.size()), &mapped,
      static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_COMPOSE | UTF8PROC_REJECTNA));
  const std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owned(mapped, &std::free);
  if (size < 0)
    return {{},
            size == UTF8PROC_ERROR_NOTASSIGNED ? "the name holds an unassigned character"
                                               : "the name is not UTF-8"};
  int length = 0;
  bool blank = true;
  for (utf8proc_ssize_t at = 0; at < size;) {
    utf8proc_int32_t c = 0;
    at += utf8proc_iterate(mapped + at, size - at, &c);
    const utf8proc_category_t category = utf8proc_category(c);
    if (category == UTF8PROC_CATEGORY_CC || category == UTF8PROC_CATEGORY_ZL ||
        category == UTF8PROC_CATEGORY_ZP)
      return {{}, "the name holds a control character"};
    if (bidi_control(c)) return {{}, "the name holds a bidirectional formatting character"};
    blank = blank && (category == UTF8PROC_CATEGORY_ZS || category == UTF8PROC_CATEGORY_CF);
    ++length;
  }
  if (blank) return {{}, "the name is empty"};
  if (length > name_length_limit)
    return {{}, "the name is longer than " + std::to_string(name_length_limit) + " characters"};
  return {std::string(reinterpret_cast<const char*>(mapped), static_cast<std::size_t>(size)), {}};
}

}  // namespace glouton::board
