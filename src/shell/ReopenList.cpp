#include "shell/ReopenList.h"

#include <QString>
#include <algorithm>

#include "common/qt/QtText.h"
#include "feed/FeedFile.h"

namespace quillcast {
namespace {

// Letter case is compared by Unicode rules, as a desktop user expects of file names.
bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
  return Q(a).compare(Q(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::string> ReadReopenList(const ProfileFile& settings) {
  std::vector<std::string> paths;
  for (const std::string& key : settings.ReadSection(kReopenSection)) {
    paths.push_back(settings.ReadString(kReopenSection, key, ""));
  }
  return paths;
}

bool AddToReopenList(ProfileFile& settings, const std::string& path) {
  if (!FileExists(path)) return false;
  std::vector<std::string> paths = ReadReopenList(settings);
  const auto same = std::find_if(paths.begin(), paths.end(), [&](const std::string& p) {
    return SamePathIgnoringCase(p, path);
  });
  if (same != paths.end()) {
    paths.erase(same);
  } else if (paths.size() > kReopenCapacity - 1) {
    paths.pop_back();
  }
  paths.insert(paths.begin(), path);
  for (size_t i = 0; i < paths.size(); ++i) {
    settings.WriteString(kReopenSection, std::to_string(i), paths[i]);
  }
  settings.UpdateFile();
  return true;
}

}  // namespace quillcast
