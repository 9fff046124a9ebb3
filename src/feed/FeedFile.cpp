#include "feed/FeedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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
  // Read straight into the text, growing it should the file grow meanwhile.
  std::string data(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t have = 0;
  while (true) {
    if (have == data.size()) data.resize(data.size() * 2);
    const ssize_t n = ::read(fd, data.data() + have, data.size() - have);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error_number = errno;
      ::close(fd);
      ThrowCannotOpen(path, error_number);
    }
    have += static_cast<size_t>(n);
  }
  ::close(fd);
  data.resize(have);
  return data;
}

// True when every line break is CR LF and the text ends with one: the common case, checked
// with memchr so that large feeds pass at memory speed.
bool IsCrLfLines(const std::string& text) {
  if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) return false;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\n', end - p))); ++p) {
    if (p == begin || p[-1] != '\r') return false;
  }
  for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\r', end - p))); ++p) {
    if (p + 1 == end || p[1] != '\n') return false;
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
  // The writer's lines all end with CR LF already, so its pieces go straight to the file.
  try {
    ReplaceFileAtomically(path, [&](const FileWriter& write) { WriteRSS(document, write); });
  } catch (const std::system_error& error) {
    throw QuillError(Format(res::kCannotCreateFile, {path, SystemReason(error.code().value())}));
  }
  document.SetModified(false);
}

}  // namespace quillcast
