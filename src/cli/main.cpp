#include <cstdlib>
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const int status =
      quillcast::RunCli(args, std::cout, std::cerr, {.process_ends_after_run = true});
  // The run is over: the process ends here without taking its data apart.
  std::cout.flush();
  std::cerr.flush();
  std::_Exit(status);
}
