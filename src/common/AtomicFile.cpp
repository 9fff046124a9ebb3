#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace quillcast {
namespace {

[[noreturn]] void ThrowErrno(int error_number, const char* what) {
  throw std::system_error(error_number, std::generic_category(), what);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowErrno(errno, "write");
    }
    data.remove_prefix(static_cast<size_t>(n));
  }
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Removes the temporary file unless the rename took it over.
class TempFile {
 public:
  explicit TempFile(std::string pattern) : path_(std::move(pattern)) {
    fd_ = ::mkstemp(path_.data());
    if (fd_ < 0) ThrowErrno(errno, "mkstemp");
  }
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  void CloseChecked() {
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) ThrowErrno(errno, "close");
  }
  void Commit() { committed_ = true; }

 private:
  std::string path_;
  int fd_ = -1;
  bool committed_ = false;
};

}  // namespace

void ReplaceFileAtomically(const std::string& path, std::string_view data, mode_t new_file_mode) {
  ReplaceFileAtomically(
      path, [data](const FileWriter& write) { write(data); }, new_file_mode);
}

void ReplaceFileAtomically(const std::string& path,
                           const std::function<void(const FileWriter&)>& produce,
                           mode_t new_file_mode) {
  const std::string folder = FolderOf(path);
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) ThrowErrno(EISDIR, "stat");

  TempFile temp(folder + "/." + NameOf(path) + ".tmp-XXXXXX");
  produce([&temp](std::string_view piece) { WriteAll(temp.fd(), piece); });
  const mode_t mode = exists ? (existing.st_mode & 07777) : (new_file_mode & ~CurrentUmask());
  if (::fchmod(temp.fd(), mode) != 0) ThrowErrno(errno, "fchmod");
  if (exists && ::geteuid() == 0) {
    // Root keeps the owner of a file it rewrites for somebody else; failing that is harmless.
    [[maybe_unused]] const int ignored = ::fchown(temp.fd(), existing.st_uid, existing.st_gid);
  }
  if (::fdatasync(temp.fd()) != 0) ThrowErrno(errno, "fdatasync");
  temp.CloseChecked();
  if (::rename(temp.path().c_str(), path.c_str()) != 0) ThrowErrno(errno, "rename");
  temp.Commit();

  const int dir_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    ::fsync(dir_fd);
    ::close(dir_fd);
  }
}

}  // namespace quillcast
