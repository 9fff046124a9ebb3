// A file's version information, read from the version section that the build stores in the
// executable itself: Linux executables carry no version resource of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace quillcast {

// The ELF section that holds the version information: NUL-terminated "key=value" entries, the
// twelve version strings and the fixed information (FileType, FileSubtype, FileFlags,
// FileFlagsMask, numbers in decimal or 0x hexadecimal).
inline constexpr char kVersionSection[] = ".qc_version";

struct FixedFileInfo {
  std::uint32_t file_type = 0;
  std::uint32_t file_subtype = 0;
  std::uint32_t file_flags = 0;
  std::uint32_t file_flags_mask = 0;
};

struct TFileVersionInfo {
  std::string FileType;
  std::string CompanyName;
  std::string FileDescription;
  std::string FileVersion;
  std::string InternalName;
  std::string LegalCopyRight;
  std::string LegalTradeMarks;
  std::string OriginalFileName;
  std::string ProductName;
  std::string ProductVersion;
  std::string Comments;
  std::string SpecialBuildText;
  std::string PrivateBuildText;
  std::string FileFunction;
  bool DebugBuild = false;
  bool PreRelease = false;
  bool SpecialBuild = false;
  bool PrivateBuild = false;
  bool Patched = false;
  bool InfoInferred = false;
};

// The raw entries of a file's version section; empty when the file is not an ELF file or has no
// such section. Reads the section headers itself, so any file path serves.
std::map<std::string, std::string> ReadVersionSection(const std::string& path);

// `type_name` gives the desktop's description of the file's type (may be empty).
TFileVersionInfo ReadFileVersionInfo(
    const std::string& path, const std::function<std::string(const std::string&)>& type_name = {});

std::string FileFunctionText(const FixedFileInfo& info);

}  // namespace quillcast
