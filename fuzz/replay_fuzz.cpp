// libFuzzer harness for the replay reader: any text gives steps that read
// back the same when written out again and play in the simulator, or one
// printable "replay:LINE: why" and no steps at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "program/replay.h"
#include "sim/simulation.h"

namespace {

using glouton::fuzz::require;

std::size_t line_count(std::string_view text) {
  std::size_t n = 0;
  for (const char ch : text) n += ch == '\n' ? 1 : 0;
  return n + (text.empty() || text.back() == '\n' ? 0 : 1);
}

void check_error(const glouton::ReplayResult& r, std::string_view text) {
  const std::string& e = r.error;
  require(r.steps.empty(), "steps kept with an error", e);
  glouton::fuzz::error_line(e, "replay", std::max<std::size_t>(1, line_count(text)));
}

void check_steps(const glouton::ReplayResult& r) {
  const glouton::ReplayResult back = glouton::parse_replay(glouton::write_replay(r.steps));
  require(back.error.empty(), "steps written back do not read", back.error);
  require(back.steps == r.steps, "steps written back read differently");
  // Short replays play: whatever their inputs, the program comes to their end.
  if (!r.steps.empty() && r.steps.back().t <= 600000) {
    glouton::Simulation sim;
    sim.replay(r.steps);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const glouton::ReplayResult r = glouton::parse_replay(text);
  if (r.error.empty())
    check_steps(r);
  else
    check_error(r, text);
  return 0;
}
