#include <gtest/gtest.h>

#include <cstring>

#include "about/FileVersionInfo.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using testing::TempDir;
using testing::WriteFile;

// A minimal little-endian ELF64 file: header, a section-name table and the version section.
std::string CraftElf(const std::string& version_entries) {
  const std::string names = std::string("\0.shstrtab\0.qc_version\0", 23);
  const size_t names_at = 64;
  const size_t data_at = names_at + names.size();
  const size_t headers_at = (data_at + version_entries.size() + 7) / 8 * 8;
  std::string elf(headers_at + 3 * 64, '\0');
  const auto put = [&](size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      elf[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
  };
  std::memcpy(elf.data(),
              "\x7F"
              "ELF\x02\x01\x01",
              7);
  put(0x10, 2, 2);           // e_type: executable
  put(0x12, 62, 2);          // e_machine
  put(0x14, 1, 4);           // e_version
  put(0x28, headers_at, 8);  // e_shoff
  put(0x34, 64, 2);          // e_ehsize
  put(0x3A, 64, 2);          // e_shentsize
  put(0x3C, 3, 2);           // e_shnum
  put(0x3E, 1, 2);           // e_shstrndx
  elf.replace(names_at, names.size(), names);
  elf.replace(data_at, version_entries.size(), version_entries);
  const auto section = [&](int index, std::uint32_t name, std::uint64_t offset,
                           std::uint64_t size) {
    const size_t at = headers_at + static_cast<size_t>(index) * 64;
    put(at, name, 4);
    put(at + 4, 1, 4);  // PROGBITS
    put(at + 0x18, offset, 8);
    put(at + 0x20, size, 8);
  };
  section(1, 1, names_at, names.size());
  section(2, 11, data_at, version_entries.size());
  return elf;
}

std::string Entries(std::initializer_list<const char*> entries) {
  std::string data;
  for (const char* entry : entries) data += std::string(entry) + '\0';
  return data;
}

TEST(FileVersionInfoTest, ReadsTheVersionSectionOfACraftedFile) {
  TempDir dir;
  const std::string path = dir.File("driver.bin");
  WriteFile(path, CraftElf(Entries({"CompanyName=Example Co", "ProductVersion=9.8", "FileType=5",
                                    "FileSubtype=0x1F", "FileFlags=0x2B", "FileFlagsMask=0x0B"})));
  const TFileVersionInfo info =
      ReadFileVersionInfo(path, [](const std::string&) { return std::string("Executable"); });
  EXPECT_EQ(info.FileType, "Executable");
  EXPECT_EQ(info.CompanyName, "Example Co");
  EXPECT_EQ(info.ProductVersion, "9.8");
  EXPECT_EQ(info.FileDescription, "");
  EXPECT_EQ(info.FileFunction, "Virtual Defice Identifier = 0000001F");
  EXPECT_TRUE(info.DebugBuild);
  EXPECT_TRUE(info.PreRelease);
  EXPECT_TRUE(info.PrivateBuild);
  EXPECT_FALSE(info.SpecialBuild) << "0x20 is in the flags but not in the mask";
  EXPECT_FALSE(info.Patched);
}

TEST(FileVersionInfoTest, AFileThatIsNotAnExecutableGivesEmptyTexts) {
  TempDir dir;
  const char* files[] = {"plain text, not ELF",
                         "\x7F"
                         "ELF",
                         ""};
  for (const char* content : files) {
    const std::string path = dir.File("file");
    WriteFile(path, content);
    const TFileVersionInfo info =
        ReadFileVersionInfo(path, [](const std::string&) { return std::string("Plain text"); });
    EXPECT_EQ(info.FileType, "Plain text");
    EXPECT_EQ(info.CompanyName, "");
    EXPECT_EQ(info.FileFunction, "");
    EXPECT_FALSE(info.DebugBuild);
  }
  EXPECT_TRUE(ReadVersionSection(dir.File("missing")).empty());
  WriteFile(dir.File("no-section"), CraftElf("").substr(0, 64));
  EXPECT_TRUE(ReadVersionSection(dir.File("no-section")).empty());
}

TEST(FileVersionInfoTest, FileFunctionTexts) {
  const struct {
    std::uint32_t type, subtype;
    const char* text;
  } cases[] = {{0, 7, "Unknown"},
               {1, 0, "Application"},
               {2, 0, "DLL"},
               {3, 0, "Unknown Driver"},
               {3, 8, "InstallableDriver"},
               {3, 10, "Communications Driver"},
               {3, 11, ""},
               {4, 3, "Truetype Font"},
               {4, 4, ""},
               {5, 0x1F, "Virtual Defice Identifier = 0000001F"},
               {6, 0, ""},
               {7, 3, "Static-link Library"},
               {9, 0, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(FileFunctionText({c.type, c.subtype, 0, 0}), c.text) << c.type << "/" << c.subtype;
  }
}

}  // namespace
}  // namespace quillcast
