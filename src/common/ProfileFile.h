// INI files: the settings file and the site lists.
//
// A line "[name]" opens a section, "key=value" inside it gives a value (raw, up to the end of
// the line), other lines are left alone. Sections and keys match without regard to letter case
// and keep their file order. Every call reads the file anew, nothing is cached, and every write
// replaces the file atomically, keeping its permission bits.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillcast {

class ProfileFile {
 public:
  // `new_file_mode` is the mode the file is created with (less the umask); an existing file
  // keeps its own.
  explicit ProfileFile(std::string path, mode_t new_file_mode = 0666);

  const std::string& path() const { return path_; }

  // Values are read back up to 2047 characters.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // Decimal with an optional sign; "0x"/"0X" (more than two characters) or "$" read hexadecimal.
  // An empty value or one that is not an integer gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;
  // Read as an integer whose default is 1 or 0; any integer but 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;
  // The keys of a section in file order; empty when the section is absent.
  std::vector<std::string> ReadSection(std::string_view section) const;
  std::vector<std::string> ReadSections() const;
  // A section counts as present when it holds at least one key.
  bool SectionExists(std::string_view section) const;

  // Writes raise "Unable to write to %s" when the platform refuses them; the file is then left
  // as it was.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void EraseSection(std::string_view section);
  // Makes the file's data durable on disk.
  void UpdateFile();

  static constexpr size_t kMaxValueChars = 2047;

 private:
  std::vector<std::string> ReadLines() const;
  void WriteLines(const std::vector<std::string>& lines);
  [[noreturn]] void ThrowUnableToWrite() const;

  std::string path_;
  mode_t new_file_mode_;
};

// The integer rule of the settings files, shared with anything that reads the same texts.
bool ParseProfileInteger(std::string_view text, int& value);

}  // namespace quillcast
