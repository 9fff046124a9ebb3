// Real servers on 127.0.0.1 for the transfer tests: started by the fixture, stopped when it
// ends, and each bounded by a time limit of its own so it stops by itself in any case.
#pragma once

#include <string>
#include <vector>

namespace quillcast::testing {

// A TCP port on 127.0.0.1 that nothing listens on right now.
int FreePort();
// Waits until something accepts connections on the port; false after `seconds`.
bool WaitForPort(int port, double seconds = 15);

class ServerProcess {
 public:
  // Runs `argv` under `timeout` so that it ends after `limit_seconds` whatever happens.
  ServerProcess(std::vector<std::string> argv, int limit_seconds = 300);
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  bool running() const { return pid_ > 0; }

 private:
  int pid_ = -1;
};

}  // namespace quillcast::testing
