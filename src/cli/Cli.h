// quillcast-cli: the editor's reading and writing of feeds, without a display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillcast {

struct CliOptions {
  // The program exits as soon as the run is over, so memory need not be given back.
  bool process_ends_after_run = false;
};

// Runs the command line `args` (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const CliOptions& options = {});

}  // namespace quillcast
