#include "about/FileVersionInfo.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "common/ProfileFile.h"

namespace quillcast {
namespace {

// Reads little- or big-endian unsigned numbers out of the file's bytes.
class ElfReader {
 public:
  explicit ElfReader(const std::string& path) : in_(path, std::ios::binary) {}

  bool Read(std::uint64_t offset, void* out, size_t size) {
    if (!in_) return false;
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
    const bool ok = static_cast<size_t>(in_.gcount()) == size;
    in_.clear();
    return ok;
  }

  std::uint64_t Number(const unsigned char* bytes, size_t size) const {
    std::uint64_t value = 0;
    for (size_t i = 0; i < size; ++i) {
      const size_t k = little_endian_ ? size - 1 - i : i;
      value = (value << 8) | bytes[k];
    }
    return value;
  }

  void SetLittleEndian(bool little) { little_endian_ = little; }

 private:
  std::ifstream in_;
  bool little_endian_ = true;
};

struct SectionHeader {
  std::uint32_t name = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

constexpr std::uint64_t kMaxSectionSize = 1 << 20;

std::uint32_t Number32(const std::map<std::string, std::string>& entries, const char* key) {
  const auto it = entries.find(key);
  int value = 0;
  if (it == entries.end() || !ParseProfileInteger(it->second, value)) return 0;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::map<std::string, std::string> ReadVersionSection(const std::string& path) {
  std::map<std::string, std::string> entries;
  ElfReader elf(path);
  unsigned char ident[64] = {};
  if (!elf.Read(0, ident, 52) || std::memcmp(ident,
                                             "\x7F"
                                             "ELF",
                                             4) != 0)
    return entries;
  const bool is64 = ident[4] == 2;
  if (ident[4] != 1 && !is64) return entries;
  if (is64 && !elf.Read(0, ident, 64)) return entries;
  elf.SetLittleEndian(ident[5] != 2);
  const std::uint64_t shoff = is64 ? elf.Number(ident + 0x28, 8) : elf.Number(ident + 0x20, 4);
  const std::uint64_t shentsize = elf.Number(ident + (is64 ? 0x3A : 0x2E), 2);
  const std::uint64_t shnum = elf.Number(ident + (is64 ? 0x3C : 0x30), 2);
  const std::uint64_t shstrndx = elf.Number(ident + (is64 ? 0x3E : 0x32), 2);
  if (shoff == 0 || shnum == 0 || shstrndx >= shnum || shentsize < (is64 ? 64u : 40u)) {
    return entries;
  }

  const auto header = [&](std::uint64_t index, SectionHeader& out) {
    unsigned char raw[64] = {};
    if (!elf.Read(shoff + index * shentsize, raw, is64 ? 64 : 40)) return false;
    out.name = static_cast<std::uint32_t>(elf.Number(raw, 4));
    out.offset = is64 ? elf.Number(raw + 0x18, 8) : elf.Number(raw + 0x10, 4);
    out.size = is64 ? elf.Number(raw + 0x20, 8) : elf.Number(raw + 0x14, 4);
    return true;
  };
  SectionHeader names;
  if (!header(shstrndx, names) || names.size > kMaxSectionSize) return entries;
  std::vector<char> name_table(names.size + 1, '\0');
  if (!elf.Read(names.offset, name_table.data(), names.size)) return entries;

  for (std::uint64_t i = 0; i < shnum; ++i) {
    SectionHeader section;
    if (!header(i, section) || section.name >= names.size) continue;
    if (std::strcmp(name_table.data() + section.name, kVersionSection) != 0) continue;
    if (section.size > kMaxSectionSize) break;
    std::vector<char> data(section.size + 1, '\0');
    if (!elf.Read(section.offset, data.data(), section.size)) break;
    for (size_t at = 0; at < section.size;) {
      const std::string entry(data.data() + at);
      at += entry.size() + 1;
      const auto eq = entry.find('=');
      if (eq != std::string::npos) entries.emplace(entry.substr(0, eq), entry.substr(eq + 1));
    }
    break;
  }
  return entries;
}

std::string FileFunctionText(const FixedFileInfo& info) {
  static constexpr const char* kDrivers[] = {
      "Unknown Driver",    "Printer Driver", "Keyboard Driver",      "Language Driver",
      "Display Driver",    "Mouse Driver",   "Network Driver",       "System Driver",
      "InstallableDriver", "Sound Driver",   "Communications Driver"};
  static constexpr const char* kFonts[] = {"Unknown Font", "Raster Font", "Vector Font",
                                           "Truetype Font"};
  switch (info.file_type) {
    case 0:
      return "Unknown";
    case 1:
      return "Application";
    case 2:
      return "DLL";
    case 3:
      return info.file_subtype <= 10 ? kDrivers[info.file_subtype] : "";
    case 4:
      return info.file_subtype <= 3 ? kFonts[info.file_subtype] : "";
    case 5: {
      char text[48];
      std::snprintf(text, sizeof text, "Virtual Defice Identifier = %08X", info.file_subtype);
      return text;
    }
    case 7:
      return "Static-link Library";
    default:
      return "";
  }
}

TFileVersionInfo ReadFileVersionInfo(
    const std::string& path, const std::function<std::string(const std::string&)>& type_name) {
  TFileVersionInfo info;
  if (type_name) info.FileType = type_name(path).substr(0, 80);
  const auto entries = ReadVersionSection(path);
  if (entries.empty()) return info;
  const auto text = [&](const char* key) {
    const auto it = entries.find(key);
    return it == entries.end() ? std::string() : it->second;
  };
  info.CompanyName = text("CompanyName");
  info.FileDescription = text("FileDescription");
  info.FileVersion = text("FileVersion");
  info.InternalName = text("InternalName");
  info.LegalCopyRight = text("LegalCopyRight");
  info.LegalTradeMarks = text("LegalTradeMarks");
  info.OriginalFileName = text("OriginalFileName");
  info.ProductName = text("ProductName");
  info.ProductVersion = text("ProductVersion");
  info.Comments = text("Comments");
  info.SpecialBuildText = text("SpecialBuild");
  info.PrivateBuildText = text("PrivateBuild");
  const FixedFileInfo fixed{Number32(entries, "FileType"), Number32(entries, "FileSubtype"),
                            Number32(entries, "FileFlags"), Number32(entries, "FileFlagsMask")};
  const auto flag = [&](std::uint32_t bit) {
    return (fixed.file_flags & bit) != 0 && (fixed.file_flags_mask & bit) != 0;
  };
  info.DebugBuild = flag(0x1);
  info.PreRelease = flag(0x2);
  info.SpecialBuild = flag(0x20);
  info.PrivateBuild = flag(0x8);
  info.Patched = flag(0x4);
  info.InfoInferred = flag(0x10);
  info.FileFunction = FileFunctionText(fixed);
  return info;
}

}  // namespace quillcast
