// glouton-sim: the game window on a virtual clock, printing its trace.
#include <iostream>
#include <string>
#include <vector>

#include "sim/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return glouton::run_sim_cli(args, std::cin, std::cout, std::cerr);
}
