#include "program/replay_link.h"

#define ZLIB_CONST
#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

namespace glouton {

namespace {

// Why a link is refused: a stable code and the reader's English words.
struct Fault {
  std::string_view reason;
  std::string why;
};

ReplayLinkText refused(Fault fault) {
  return {{}, "replay:1: " + std::move(fault.why), fault.reason};
}

bool blank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The value of a base64url character, or -1.
int sextet(char ch) {
  if (ch >= 'A' && ch <= 'Z') return ch - 'A';
  if (ch >= 'a' && ch <= 'z') return ch - 'a' + 26;
  if (ch >= '0' && ch <= '9') return ch - '0' + 52;
  if (ch == '-') return 62;
  if (ch == '_') return 63;
  return -1;
}

// The bytes of base64url text with no padding; empty with `fault` set when it is not that.
std::vector<unsigned char> unbase64url(std::string_view text, bool keyed, Fault& fault) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (sextet(text[i]) >= 0) continue;
    fault = keyed ? Fault{"link_altered", "the link is altered: character " +
                                              std::to_string(i + 1) + " after '" +
                                              std::string(replay_link_key) + "' is not base64url"}
                  : Fault{"not_link", "not a replay link: no '" + std::string(replay_link_key) +
                                          "' in it, and not base64url either"};
    return {};
  }
  if (text.size() % 4 == 1) {
    fault = {"link_cut", "the link is cut short or altered: base64url text does not end after " +
                             std::to_string(text.size()) + " characters"};
    return {};
  }
  std::vector<unsigned char> bytes;
  bytes.reserve(text.size() / 4 * 3 + 2);
  std::uint32_t bits = 0;
  int held = 0;
  for (const char ch : text) {
    bits = (bits << 6) | static_cast<std::uint32_t>(sextet(ch));
    held += 6;
    if (held >= 8) {
      held -= 8;
      bytes.push_back(static_cast<unsigned char>(bits >> held));
      bits &= (1u << held) - 1;
    }
  }
  // The bits left over from the last character are zero in any encoder's output.
  if (bits != 0) {
    fault = {"link_altered",
             "the link is altered: its last character is not one base64url text ends with"};
    return {};
  }
  return bytes;
}

// A pass of raw inflate over all of `packed`: into `out` when it is given (of
// the size a first pass found), else into a small buffer, only counting the
// bytes and stopping past the size limit. The inflated size, or why not.
struct Inflated {
  std::size_t size = 0;
  Fault fault;
};

Inflated inflate_raw(const std::vector<unsigned char>& packed, std::string* out) {
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
    return {0, {"no_memory", "not enough memory to inflate the link"}};
  z.next_in = packed.data();
  z.avail_in = static_cast<uInt>(packed.size());
  std::array<unsigned char, 16384> scratch;
  int status = Z_OK;
  std::size_t size = 0;
  if (out) {
    z.next_out = reinterpret_cast<Bytef*>(out->data());
    z.avail_out = static_cast<uInt>(out->size());
    status = inflate(&z, Z_FINISH);
    size = out->size() - z.avail_out;
  }
  while (!out && status == Z_OK && size <= replay_size_limit) {
    z.next_out = scratch.data();
    z.avail_out = static_cast<uInt>(scratch.size());
    status = inflate(&z, Z_NO_FLUSH);
    size += scratch.size() - z.avail_out;
  }
  const std::size_t left = z.avail_in;
  const std::string why = z.msg ? z.msg : "";
  inflateEnd(&z);
  if (size > replay_size_limit)
    return {0,
            {"link_too_big", "the link's replay is over the size limit of " +
                                 std::to_string(replay_size_limit >> 20) +
                                 " MiB once inflated: not played"}};
  switch (status) {
    case Z_STREAM_END:
      if (left == 0) return {size, {}};
      return {0,
              {"link_altered", "the link is altered: " + std::to_string(left) +
                                   " bytes follow the end of its compressed data"}};
    case Z_DATA_ERROR:
      return {0,
              {"link_altered",
               "the link is altered: its compressed data do not inflate (" + why + ")"}};
    case Z_MEM_ERROR:
      return {0, {"no_memory", "not enough memory to inflate the link"}};
    default:  // Z_BUF_ERROR: all the data read, and the stream not at its end
      return {
          0, {"link_cut", "the link is cut short: its compressed data end before the replay does"}};
  }
}

}  // namespace

ReplayLinkText inflate_replay_link(std::string_view link) {
  link = trimmed(link);
  const Fault too_long = {"link_too_long", "the link is too long to hold a replay of " +
                                               std::to_string(replay_size_limit >> 20) +
                                               " MiB at most: not played"};
  if (link.size() > replay_file_limit) return refused(too_long);
  const std::size_t key = link.find(replay_link_key);
  const bool keyed = key != std::string_view::npos;
  const std::string_view data = keyed ? link.substr(key + replay_link_key.size()) : link;
  if (data.empty())
    return refused(keyed ? Fault{"link_empty", "the link holds no replay (nothing after '" +
                                                   std::string(replay_link_key) + "')"}
                         : Fault{"link_empty", "not a replay link: it is empty"});
  if (data.size() > replay_link_length_limit) return refused(too_long);
  Fault fault;
  const std::vector<unsigned char> packed = unbase64url(data, keyed, fault);
  if (!fault.why.empty()) return refused(std::move(fault));
  // Measured first, then inflated into a text of that very size: a link
  // that would inflate past the limit is refused holding no more than the
  // data and a buffer of 16 kB.
  const Inflated measured = inflate_raw(packed, nullptr);
  if (!measured.fault.why.empty()) return refused(measured.fault);
  ReplayLinkText result;
  result.text.resize(measured.size);
  if (measured.size > 0) {
    const Inflated again = inflate_raw(packed, &result.text);
    if (!again.fault.why.empty()) return refused(again.fault);
  }
  return result;
}

ReplayResult decode_replay_link(std::string_view link) {
  ReplayLinkText inflated = inflate_replay_link(link);
  if (!inflated.error.empty()) return {{}, std::move(inflated.error), inflated.reason, 1};
  return parse_replay(inflated.text);
}

ReplayResult read_replay_or_link(std::string_view text) {
  const bool replay = text.substr(0, replay_format.size()) == replay_format;
  if (!replay && text.find(replay_link_key) != std::string_view::npos)
    return decode_replay_link(text);
  return parse_replay(text);
}

}  // namespace glouton
