#include "common/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <system_error>

#include "common/Ascii.h"
#include "common/AtomicFile.h"
#include "common/Error.h"
#include "common/ResourceStr.h"
#include "common/Utf8.h"

namespace quillcast {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

using ascii::EqualsIgnoringCase;

// The section name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// The key of a "key=value" line.
std::optional<std::string_view> KeyName(std::string_view line) {
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, eq));
}

std::string_view ValueOf(std::string_view line) { return line.substr(line.find('=') + 1); }

// Half-open line ranges [header, end) of every section with the given name.
struct SectionRange {
  size_t header;
  size_t end;
};

std::vector<SectionRange> FindSections(const std::vector<std::string>& lines,
                                       std::string_view section) {
  std::vector<SectionRange> found;
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (!name) continue;
    if (!found.empty() && found.back().end == lines.size()) found.back().end = i;
    if (EqualsIgnoringCase(*name, section)) found.push_back({i, lines.size()});
  }
  return found;
}

std::optional<std::string_view> FindValue(const std::vector<std::string>& lines,
                                          std::string_view section, std::string_view key) {
  for (const auto& range : FindSections(lines, section)) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
      const auto k = KeyName(lines[i]);
      if (k && EqualsIgnoringCase(*k, key)) return ValueOf(lines[i]);
    }
  }
  return std::nullopt;
}

// A value never spans lines in the file.
std::string OneLine(std::string_view value) {
  std::string out(value);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

void MakeParentFolders(const std::string& path) {
  for (auto pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1)) {
    ::mkdir(path.substr(0, pos).c_str(), 0777);
  }
}

}  // namespace

bool ParseProfileInteger(std::string_view text, int& value) {
  text = Trim(text);
  if (text.empty()) return false;
  int base = 10;
  bool negative = false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (base == 16) {
    // Hexadecimal spells the 32 bits directly, as "$FFFFFFFF" for -1.
    if (magnitude > 0xFFFFFFFFull) return false;
    value = static_cast<int>(static_cast<std::uint32_t>(magnitude));
    return true;
  }
  const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  if (magnitude > limit) return false;
  value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<int>(magnitude);
  return true;
}

ProfileFile::ProfileFile(std::string path, mode_t new_file_mode)
    : path_(std::move(path)), new_file_mode_(new_file_mode) {}

std::vector<std::string> ProfileFile::ReadLines() const {
  std::ifstream in(path_, std::ios::binary);
  std::vector<std::string> lines;
  if (!in) return lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

void ProfileFile::ThrowUnableToWrite() const {
  throw QuillError(Format(res::kUnableToWrite, {path_}));
}

void ProfileFile::WriteLines(const std::vector<std::string>& lines) {
  std::string data;
  for (const auto& line : lines) {
    data += line;
    data += '\n';
  }
  MakeParentFolders(path_);
  try {
    ReplaceFileAtomically(path_, data, new_file_mode_);
  } catch (const std::system_error&) {
    ThrowUnableToWrite();
  }
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
  const auto lines = ReadLines();
  const auto value = FindValue(lines, section, key);
  if (!value) return std::string(default_value);
  return std::string(utf8::Left(*value, kMaxValueChars));
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key,
                             int default_value) const {
  int value = default_value;
  if (!ParseProfileInteger(ReadString(section, key, ""), value)) return default_value;
  return value;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key,
                           bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

std::vector<std::string> ProfileFile::ReadSection(std::string_view section) const {
  const auto lines = ReadLines();
  std::vector<std::string> keys;
  for (const auto& range : FindSections(lines, section)) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
      const auto k = KeyName(lines[i]);
      if (!k) continue;
      bool seen = false;
      for (const auto& have : keys) seen = seen || EqualsIgnoringCase(have, *k);
      if (!seen) keys.emplace_back(*k);
    }
  }
  return keys;
}

std::vector<std::string> ProfileFile::ReadSections() const {
  std::vector<std::string> names;
  for (const auto& line : ReadLines()) {
    const auto name = SectionName(line);
    if (!name) continue;
    bool seen = false;
    for (const auto& have : names) seen = seen || EqualsIgnoringCase(have, *name);
    if (!seen) names.emplace_back(*name);
  }
  return names;
}

bool ProfileFile::SectionExists(std::string_view section) const {
  return !ReadSection(section).empty();
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  auto lines = ReadLines();
  const std::string new_line = std::string(key) + "=" + OneLine(value);
  const auto sections = FindSections(lines, section);
  if (sections.empty()) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(new_line);
    WriteLines(lines);
    return;
  }
  for (const auto& range : sections) {
    for (size_t i = range.header + 1; i < range.end; ++i) {
      const auto k = KeyName(lines[i]);
      if (k && EqualsIgnoringCase(*k, key)) {
        lines[i] = new_line;
        WriteLines(lines);
        return;
      }
    }
  }
  // A new key goes after the last non-blank line of the first such section.
  size_t at = sections.front().end;
  while (at > sections.front().header + 1 && Trim(lines[at - 1]).empty()) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), new_line);
  WriteLines(lines);
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void ProfileFile::EraseSection(std::string_view section) {
  auto lines = ReadLines();
  const auto sections = FindSections(lines, section);
  if (sections.empty()) return;
  for (auto it = sections.rbegin(); it != sections.rend(); ++it) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(it->header),
                lines.begin() + static_cast<std::ptrdiff_t>(it->end));
  }
  WriteLines(lines);
}

void ProfileFile::UpdateFile() {
  const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return;
    ThrowUnableToWrite();
  }
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  if (!ok) ThrowUnableToWrite();
}

}  // namespace quillcast
