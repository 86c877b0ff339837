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

using glouton::ReplayStep;
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

// The steps as the program writes them: a line per load and per wake.
std::string written(const std::vector<ReplayStep>& steps) {
  std::string out = std::string(glouton::replay_header) + "\n";
  std::string line;
  for (const ReplayStep& s : steps) {
    switch (s.kind) {
      case ReplayStep::load:
        out += "load\n";
        break;
      case ReplayStep::wake:
        out += std::to_string(s.t) + line + "\n";
        line.clear();
        break;
      case ReplayStep::key:
        line += " key " + std::to_string(s.code);
        break;
      case ReplayStep::cc:
        line += " cc";
        break;
      case ReplayStep::ok:
        line += " ok";
        break;
      case ReplayStep::close:
        line += " close";
        break;
      case ReplayStep::quit:
        line += " quit";
        break;
    }
  }
  return out;
}

void check_steps(const glouton::ReplayResult& r) {
  const glouton::ReplayResult back = glouton::parse_replay(written(r.steps));
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
