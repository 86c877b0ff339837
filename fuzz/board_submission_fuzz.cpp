// libFuzzer harness for the board's submissions: any bytes as a body give a
// refusal with a status, a code and a one-line reason, or a run whose name
// is good and in NFC, whose replay reads back the same, and whose digest is
// a SHA-256.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "board/names.h"
#include "board/submission.h"
#include "fuzz_check.h"
#include "program/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using glouton::fuzz::require;
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  const auto result = glouton::board::verify_submission(body);
  if (const auto* refusal = std::get_if<glouton::board::Refusal>(&result)) {
    require(refusal->status == 400 || refusal->status == 413 || refusal->status == 422,
            "a refusal with an unexpected status", refusal->reason);
    require(!refusal->code.empty() && !refusal->reason.empty(), "a refusal says nothing");
    for (const char ch : refusal->reason)
      require(ch >= 0x20 && ch < 0x7f, "an unprintable reason", refusal->reason);
    return 0;
  }
  const auto& run = std::get<glouton::board::VerifiedRun>(result);
  require(glouton::board::check_name(run.name).name == run.name, "a name not kept in NFC", run.name);
  const glouton::ReplayResult again = glouton::parse_replay(run.replay);
  require(again.error.empty() && glouton::write_replay(again.steps) == run.replay,
          "the stored replay does not read back the same", again.error);
  require(run.digest.size() == 7 + 64 && run.digest.rfind("sha256:", 0) == 0, "a bad digest",
          run.digest);
  require(run.score >= 0 && run.levels >= 0 && run.length_ms >= 0, "a negative figure");
  return 0;
}
