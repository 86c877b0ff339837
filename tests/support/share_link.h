// A share link as the page's "Partager" makes it: `#replay=`, then the text
// deflated raw (zlib, at `level`) in base64url with no padding. For the tests
// and the fuzzer: the programs themselves only read links.
#pragma once

#include <zlib.h>

#include <string>
#include <string_view>

namespace glouton::testing {

inline std::string deflate_raw(std::string_view text, int level = Z_BEST_COMPRESSION) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
  std::string packed(deflateBound(&z, static_cast<uLong>(text.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = static_cast<uInt>(text.size());
  z.next_out = reinterpret_cast<Bytef*>(packed.data());
  z.avail_out = static_cast<uInt>(packed.size());
  deflate(&z, Z_FINISH);
  packed.resize(z.total_out);
  deflateEnd(&z);
  return packed;
}

inline std::string base64url(std::string_view bytes) {
  static constexpr char digits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string out;
  unsigned bits = 0;
  int held = 0;
  for (const char ch : bytes) {
    bits = (bits << 8) | static_cast<unsigned char>(ch);
    for (held += 8; held >= 6; held -= 6) out += digits[(bits >> (held - 6)) & 63];
  }
  if (held > 0) out += digits[(bits << (6 - held)) & 63];
  return out;
}

inline std::string share_link(std::string_view text, int level = Z_BEST_COMPRESSION) {
  return "#replay=" + base64url(deflate_raw(text, level));
}

}  // namespace glouton::testing
