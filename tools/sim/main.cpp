// vor-sim: runs the client on the simulated desktop as a scenario says. The scenario comes
// from the file named on the command line, or from standard input.

#include <fstream>
#include <iostream>

#include "tools/sim/sim_driver.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: vor-sim [SCENARIO]\n";
    return kScriptErrorCode;
  }
  if (argc == 1) return RunScenario(std::cin, std::cout);
  std::ifstream scenario(argv[1]);
  if (!scenario) {
    std::cerr << "vor-sim: cannot read " << argv[1] << '\n';
    return kScriptErrorCode;
  }
  return RunScenario(scenario, std::cout);
}
