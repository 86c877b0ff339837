// libFuzzer harness for glouton-sim's command line, key script on standard input:
// status 0 with a trace (or asked-for usage), or 2 with one line on standard error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "sim/cli.h"

namespace {

using glouton::fuzz::require;

constexpr std::size_t most_arguments = 6;
constexpr std::int64_t longest_run_ms = 5000;

bool all_digits(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// The arguments to run with: the script always from standard input, runs kept
// short, and no file written. Options that take a value take the next argument.
std::vector<std::string> arguments(std::string_view part) {
  std::vector<std::string> given;
  std::size_t pos = 0;
  while (!part.empty() && pos <= part.size() && given.size() < most_arguments) {
    std::size_t end = part.find('\0', pos);
    if (end == std::string_view::npos) end = part.size();
    given.emplace_back(part.substr(pos, end - pos));
    pos = end + 1;
  }
  std::vector<std::string> args = {"--until", "2000", "--keys", "-"};
  for (std::size_t i = 0; i < given.size(); ++i) {
    std::string arg = given[i];
    // No file is written where the input says.
    if (arg == "--trace" || arg == "--record" || arg == "--snapshot") arg = "--quiet";
    args.push_back(arg);
    if ((arg == "--keys" || arg == "--until") && i + 1 < given.size()) {
      std::string value = given[++i];
      if (arg == "--keys") value = "-";
      // Any number of digits, leading zeros too, comes down to a short run.
      if (arg == "--until" && all_digits(value)) {
        std::int64_t ms = 0;
        for (const char digit : value) ms = (ms * 10 + (digit - '0')) % (longest_run_ms + 1);
        value = std::to_string(ms);
      }
      args.push_back(value);
    }
  }
  return args;
}

bool asks_for(const std::vector<std::string>& args, std::string_view option) {
  for (const std::string& a : args)
    if (a == option) return true;
  return false;
}

void check_trace(const std::vector<std::string>& args, const std::string& out) {
  require(!out.empty() && out.back() == '\n', "a run printed no trace", out.substr(0, 200));
  std::size_t lines = 0;
  for (std::size_t pos = 0; pos < out.size(); ++lines) {
    const std::size_t end = out.find('\n', pos);
    const std::string_view line(out.data() + pos, end - pos);
    require(line.rfind("{\"t\":", 0) == 0 && line.back() == '}', "not a trace line",
            std::string(line.substr(0, 200)));
    pos = end + 1;
  }
  if (asks_for(args, "--quiet"))
    require(lines == 1, "--quiet printed more than the last line");
  else
    require(out.rfind("{\"t\":0,\"ev\":\"load\",", 0) == 0,
            "the trace does not start with the load", out.substr(0, 200));
}

}  // namespace

// Input: arguments separated by NUL bytes (as in argv, which holds none), then
// two NULs, then the key script. Without two NULs the whole input is the script.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find(std::string_view("\0\0", 2));
  const std::vector<std::string> args =
      arguments(split == std::string_view::npos ? std::string_view() : input.substr(0, split));
  const std::string_view script = split == std::string_view::npos ? input : input.substr(split + 2);

  std::istringstream in{std::string(script)};
  std::ostringstream out, err;
  const int status = glouton::run_sim_cli(args, in, out, err);
  const std::string o = out.str(), e = err.str();
  if (status == 2) {
    require(o.empty(), "output with status 2", o.substr(0, 200));
    require(!e.empty() && e.back() == '\n' && e.find('\n') == e.size() - 1,
            "status 2 without exactly one line on standard error", e);
    require(e.rfind("glouton-sim: ", 0) == 0 || e.rfind("keys:", 0) == 0,
            "status 2 with an unnamed problem", e);
    return 0;
  }
  require(status == 0, "status neither 0 nor 2", e);
  require(e.empty(), "standard error written with status 0", e);
  if (o.rfind("usage: glouton-sim", 0) == 0 || o.rfind("glouton-sim ", 0) == 0) {
    require(asks_for(args, "--help") || asks_for(args, "--version"), "usage or version unasked");
    return 0;
  }
  check_trace(args, o);
  return 0;
}
