// quillcast-cli: the editor's reading and writing of feeds, without a display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillcast {

// Runs the command line `args` (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quillcast
