#include "support/TempDir.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace quillcast::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillcast-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream data;
  data << in.rdbuf();
  return data.str();
}

void WriteFile(const std::string& path, std::string_view data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string ListFolder(const std::string& path) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    names.insert(entry.path().filename().string());
  }
  std::string joined;
  for (const auto& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

ScopedTimeZone::ScopedTimeZone(const char* tz) {
  const char* old = std::getenv("TZ");
  had_old_ = old != nullptr;
  if (had_old_) old_ = old;
  ::setenv("TZ", tz, 1);
  ::tzset();
}

ScopedTimeZone::~ScopedTimeZone() {
  if (had_old_) {
    ::setenv("TZ", old_.c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
}

}  // namespace quillcast::testing
