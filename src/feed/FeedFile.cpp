#include "feed/FeedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/Error.h"
#include "common/ResourceStr.h"
#include "feed/RSSReader.h"
#include "feed/RSSWriter.h"
#include "feed/TextEncoding.h"

namespace quillcast {
namespace {

[[noreturn]] void ThrowCannotOpen(const std::string& path, int error_number) {
  throw QuillError(Format(res::kCannotOpenFile, {path, SystemReason(error_number)}));
}

std::string ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) ThrowCannotOpen(path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    const int error_number = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    ThrowCannotOpen(path, error_number);
  }
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size) + 2);
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      ::close(fd);
      ThrowCannotOpen(path, error_number);
    }
    data.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

bool IsCrLfLines(const std::string& text) {
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

std::string ToCrLfLines(std::string text) {
  if (text.empty() || IsCrLfLines(text)) return text;
  std::string out;
  out.reserve(text.size() + text.size() / 16 + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) out += "\r\n";
  return out;
}

std::string ReadFeedFile(const std::string& path) {
  std::string data = ReadWholeFile(path);
  if (auto wide = DecodeWideText(data)) data = std::move(*wide);
  const size_t nul = data.find('\0');
  if (nul != std::string::npos) data.resize(nul);
  return ToCrLfLines(std::move(data));
}

void WriteFeedFile(const std::string& path, std::string rss_text) {
  try {
    ReplaceFileAtomically(path, ToCrLfLines(std::move(rss_text)));
  } catch (const std::system_error& error) {
    throw QuillError(Format(res::kCannotCreateFile, {path, SystemReason(error.code().value())}));
  }
}

void LoadFeedFile(FeedDocument& document, const std::string& path) {
  LoadRSSText(document, ReadFeedFile(path));
}

void SaveFeedFile(FeedDocument& document, const std::string& path) {
  WriteFeedFile(path, GetRSSText(document));
  document.SetModified(false);
}

}  // namespace quillcast
