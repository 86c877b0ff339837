// A replay's share link, read the same way by every program: the page's
// address, then `#replay=` and the replay's text deflated (raw, RFC 1951) in
// base64url (RFC 4648, no padding). The link comes from strangers: it is
// checked whole, never inflated past the replay size limit, then read by
// parse_replay. Its own library (glouton_replay_link), the one part of the
// core that links zlib, and only its inflate.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "program/replay.h"

namespace glouton {

inline constexpr std::string_view replay_link_key = "#replay=";
// What a replay of replay_size_limit bytes deflates to at worst (stored
// blocks: 5 bytes of header in 65,535, and a few for the stream's end), in
// base64url: a longer link holds no good replay.
inline constexpr std::size_t replay_link_length_limit =
    ((replay_size_limit + 5 * (replay_size_limit / 65535 + 3)) * 4 + 2) / 3;
// The longest text read as a replay or a link to one: the link, the page's
// address before it and blanks around it.
inline constexpr std::size_t replay_file_limit = replay_link_length_limit + 4096;

struct ReplayLinkText {
  std::string text;         // the replay's text, as the page recorded it
  std::string error;        // "replay:1: why" for a link that is not good, empty when it is
  std::string_view reason;  // the same as a stable code ("link_cut"), as ReplayResult's
};

// The replay's text a link holds. `link` is the whole address, its
// `#replay=...` part or only what follows `#replay=`; blanks and line ends
// around it are ignored. Refused: a link that is not base64url, or whose
// data do not inflate to their end (cut short, altered), or that would
// inflate past replay_size_limit; the text is held only once it is known good.
ReplayLinkText inflate_replay_link(std::string_view link);

// The replay a link holds: inflate_replay_link, then parse_replay, whose
// errors ("replay:LINE: why") count the lines of the inflated text.
ReplayResult decode_replay_link(std::string_view link);

// A file given as a replay: the replay's text, or a share link to one (a
// text with `#replay=` in it that is not a replay's).
ReplayResult read_replay_or_link(std::string_view text);

}  // namespace glouton
