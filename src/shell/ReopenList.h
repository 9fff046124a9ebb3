// The list of recently used files, kept in section Reopen of the settings file: keys "0" to
// "4", the most recent under "0", each path once whatever its letter case.
#pragma once

#include <string>
#include <vector>

#include "common/ProfileFile.h"

namespace quillcast {

inline constexpr char kReopenSection[] = "Reopen";
inline constexpr int kReopenCapacity = 5;

// The stored paths, in the section's key order.
std::vector<std::string> ReadReopenList(const ProfileFile& settings);

// Puts an existing file's path at the front (once, a stored copy in another letter case goes),
// keeps at most five entries, writes the list back and flushes. Returns false and changes
// nothing when no file exists at the path. Raises "Unable to write to %s".
bool AddToReopenList(ProfileFile& settings, const std::string& path);

}  // namespace quillcast
