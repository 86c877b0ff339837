// libFuzzer harness for the share links: any bytes read as a link give the
// replay their inflated text gives, or one printable "replay:1: why" and no
// text at all; and any text the replay reader takes, deflated at a level the
// input picks and put in a link (alone, or after the page's address), reads
// back to the very same text and steps, while every cut of that link is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "program/replay.h"
#include "program/replay_link.h"
#include "support/share_link.h"

namespace {

using glouton::fuzz::require;

void check_stranger(std::string_view bytes) {
  const glouton::ReplayLinkText inflated = glouton::inflate_replay_link(bytes);
  if (!inflated.error.empty()) {
    require(inflated.text.empty(), "text kept with an error", inflated.error);
    glouton::fuzz::error_line(inflated.error, "replay", 1);
    const glouton::ReplayResult decoded = glouton::decode_replay_link(bytes);
    require(decoded.error == inflated.error && decoded.steps.empty(),
            "decoding and inflating the link refuse it differently", decoded.error);
    return;
  }
  require(inflated.text.size() <= glouton::replay_size_limit, "inflated past the limit");
  // Megabytes of text take seconds to read under the sanitizers; the
  // replay's own harness reads texts.
  if (inflated.text.size() > (1u << 20)) return;
  const glouton::ReplayResult decoded = glouton::decode_replay_link(bytes);
  const glouton::ReplayResult direct = glouton::parse_replay(inflated.text);
  require(decoded.error == direct.error && decoded.steps == direct.steps,
          "the link reads otherwise than its text", decoded.error);
}

void check_round_trip(std::string_view text, const glouton::ReplayResult& plain,
                      std::uint8_t pick) {
  std::string link = glouton::testing::share_link(text, pick % 10);
  if (pick & 0x10) link = "https://example.org/glouton/?trace" + link + "\r\n";
  const glouton::ReplayLinkText back = glouton::inflate_replay_link(link);
  require(back.error.empty() && back.text == text, "a link does not give its text back",
          back.error);
  for (const glouton::ReplayResult& r :
       {glouton::decode_replay_link(link), glouton::read_replay_or_link(link),
        glouton::read_replay_or_link(text)})
    require(r.error.empty() && r.steps == plain.steps, "a link reads otherwise than its text",
            r.error);
  const std::size_t data = link.find(glouton::replay_link_key) + glouton::replay_link_key.size();
  const std::size_t end = link.find('\r', data);
  const std::size_t length = (end == std::string::npos ? link.size() : end) - data;
  const std::string cut = link.substr(0, data + pick % length);
  require(!glouton::inflate_replay_link(cut).error.empty(), "a link cut short is taken", cut);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  check_stranger(bytes);
  const glouton::ReplayResult plain = glouton::parse_replay(bytes);
  if (plain.error.empty()) check_round_trip(bytes, plain, data[size - 1]);
  return 0;
}
