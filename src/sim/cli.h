// glouton-sim's command line: options, key script, trace output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace glouton {

// Runs glouton-sim with `args` (without the program name). Returns the exit
// status: 0 after a run, 2 for a bad command line or key script, with one
// line on `err` and nothing simulated.
int run_sim_cli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace glouton
