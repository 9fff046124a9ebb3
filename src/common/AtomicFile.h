// Replacing a file so that a failure at any point leaves the old file whole.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace quillcast {

// The mode a new file gets when its caller has no stricter need: read and write for all,
// less the process umask.
inline constexpr mode_t kDefaultNewFileMode = 0666;

// Writes `data` to a temporary file in the target's folder, flushes it to disk and renames it
// over `path`. An existing file keeps its permission bits; a new one gets `new_file_mode`
// (less the umask). Throws std::system_error carrying the errno of the step that failed; the
// target is then untouched and no temporary file is left behind.
void ReplaceFileAtomically(const std::string& path, std::string_view data,
                           mode_t new_file_mode = kDefaultNewFileMode);

// The same, with the content handed over in pieces: `produce` is given a function that writes
// one piece. An exception from `produce` leaves the target untouched too.
using FileWriter = std::function<void(std::string_view)>;
void ReplaceFileAtomically(const std::string& path,
                           const std::function<void(const FileWriter&)>& produce,
                           mode_t new_file_mode = kDefaultNewFileMode);

}  // namespace quillcast
