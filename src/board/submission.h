// A submission's body, from a stranger's bytes to a run the board can rank:
// the JSON read, the name checked, the replay played again on the program
// core. No HTTP and no store here, so that the fuzzer drives it whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "board/store.h"

namespace glouton::board {

// The longest body and replay taken. A recorded game writes about 9 kB a
// minute of play (docs/board.md): 4 MiB hold over six hours, longer than a
// person plays one run, and keep a board's rows small.
inline constexpr std::size_t body_limit = 4u << 20;
// The longest run played: twice as long as the body limit holds at a
// person's pace, and a bound on the time one submission takes to verify
// (a replay that waits hours between its keys is small).
inline constexpr std::int64_t run_length_limit = 12 * 3600 * 1000;

// Why a request is refused: its HTTP status, a stable code a client can
// translate, and an English one-line reason.
struct Refusal {
  int status = 400;
  std::string code;
  std::string reason;
};

// `body`: {"name": ..., "replay": ...}, the replay being the text of
// `glouton --record`, a share link or a link's payload. Nothing the client
// claims about the run is read: the run is what the game reached.
std::variant<VerifiedRun, Refusal> verify_submission(std::string_view body);

}  // namespace glouton::board
