// libFuzzer harness for the board's submissions: any bytes as a body give a
// refusal with its status and a printable reason, or a run whose name stays
// as it is once normalised again and whose replay reads back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "board/names.h"
#include "board/submission.h"
#include "fuzz_check.h"
#include "program/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using glouton::fuzz::require;
  const auto result =
      glouton::board::verify_submission({reinterpret_cast<const char*>(data), size});
  if (const auto* no = std::get_if<glouton::board::Refusal>(&result)) {
    require(no->status == 400 || no->status == 413 || no->status == 422, "a status", no->reason);
    require(!no->code.empty() && !no->reason.empty(), "a refusal that says nothing");
    for (const char ch : no->reason) require(ch >= 0x20 && ch < 0x7f, "unprintable", no->reason);
    return 0;
  }
  const auto& run = std::get<glouton::board::VerifiedRun>(result);
  require(glouton::board::check_name(run.name).name == run.name, "a name not in NFC", run.name);
  const glouton::ReplayResult again = glouton::parse_replay(run.replay);
  require(again.error.empty() && glouton::write_replay(again.steps) == run.replay,
          "the stored replay does not read back the same", again.error);
  return 0;
}
