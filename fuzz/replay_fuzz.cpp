// libFuzzer harness for the replay reader: any text gives steps that read
// back the same when written out again, play in the simulator and in the
// viewer, its keys taken from the text's last bytes, or one printable
// "replay:LINE: why" and no steps at all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A watched replay: the viewer's keys, one every 700 ms of the frontend's clock.
class Watch final : public glouton::ProgramHost {
 public:
  glouton::Surface& game_window_opened() override {
    require(!open_, "a second game window opened while one is open");
    open_ = true;
    return surface_;
  }
  void game_window_closed() override { open_ = false; }

  void watch(const std::vector<glouton::ReplayStep>& steps, std::string_view keys) {
    glouton::Program program(*this, sound_, music_);
    program.watch_replay(0, steps);
    static constexpr int codes[] = {39, 37, 32, 36, 35, 49, 53, 57, 'A'};
    std::int64_t now = 0;
    for (const char key : keys) {
      now += 700;
      program.advance(now);
      program.feed(
          now, glouton::Input::pressed(codes[static_cast<unsigned char>(key) % std::size(codes)]));
      program.take_changes();
    }
    require(!program.ended(), "the viewer ended before Escape");
    program.feed(now, glouton::Input::pressed(27));
    require(program.ended() && !open_, "Escape did not end the viewer");
  }

 private:
  glouton::RecordingSurface surface_{false};
  glouton::SilentDevice sound_;
  glouton::SilentMusic music_;
  bool open_ = false;
};

void check_steps(const glouton::ReplayResult& r, std::string_view text) {
  const glouton::ReplayResult back = glouton::parse_replay(glouton::write_replay(r.steps));
  require(back.error.empty(), "steps written back do not read", back.error);
  require(back.steps == r.steps, "steps written back read differently");
  // Short replays play: whatever their inputs, the program comes to their end.
  if (!r.steps.empty() && r.steps.back().t <= 600000) {
    glouton::Simulation sim;
    sim.replay(r.steps);
    const bool window = std::any_of(r.steps.begin(), r.steps.end(),
                                    [](const auto& s) { return s.input == glouton::Input::load; });
    if (window)
      Watch().watch(r.steps, text.substr(text.size() - std::min<std::size_t>(text.size(), 8)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const glouton::ReplayResult r = glouton::parse_replay(text);
  if (r.error.empty())
    check_steps(r, text);
  else
    check_error(r, text);
  return 0;
}
