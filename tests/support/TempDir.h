// A folder of its own for each test, removed afterwards.
#pragma once

#include <string>
#include <string_view>

namespace quillcast::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, std::string_view data);
// File names in the folder, sorted.
std::string ListFolder(const std::string& path);

// Sets TZ for the life of the object.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* tz);
  ~ScopedTimeZone();

 private:
  std::string old_;
  bool had_old_;
};

}  // namespace quillcast::testing
