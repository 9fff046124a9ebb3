#include "common/AppPaths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace quillcast {
namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ConfigHome() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.config";
}

}  // namespace

AppPaths AppPaths::ForExecutable(const std::string& executable_path) {
  const std::string exe_folder = FolderOf(executable_path);
  const std::string share = FolderOf(exe_folder) + "/share/quillcast";
  const bool installed = exe_folder.size() >= 4 &&
                         exe_folder.compare(exe_folder.size() - 4, 4, "/bin") == 0 &&
                         IsFolder(share);
  AppPaths paths;
  paths.data_folder = installed ? share : exe_folder;
  const bool portable = !installed && ::access(exe_folder.c_str(), W_OK) == 0;
  paths.settings_folder = portable ? exe_folder : ConfigHome() + "/quillcast";
  return paths;
}

AppPaths AppPaths::ForThisProcess() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  const std::string exe =
      n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : "./quillcast";
  return ForExecutable(exe);
}

}  // namespace quillcast
