// Where the program keeps its settings and finds its data files.
#pragma once

#include <string>

namespace quillcast {

struct AppPaths {
  // Holds quillcast.ini, ftp.ini, http.ini and tmp.html; created on first write.
  std::string settings_folder;
  // Holds help/ and icons/.
  std::string data_folder;

  std::string SettingsFile() const { return settings_folder + "/quillcast.ini"; }
  std::string FtpSitesFile() const { return settings_folder + "/ftp.ini"; }
  std::string HttpSitesFile() const { return settings_folder + "/http.ini"; }
  std::string PreviewFile() const { return settings_folder + "/tmp.html"; }
  std::string HelpIndex() const { return data_folder + "/help/index.htm"; }
  std::string IconFolder() const { return data_folder + "/icons"; }

  // A build tree or a portable copy keeps everything beside the executable when that folder is
  // writable. An installed copy (<prefix>/bin with <prefix>/share/quillcast) keeps its settings
  // in $XDG_CONFIG_HOME/quillcast (default ~/.config/quillcast) and its data in the share folder.
  static AppPaths ForExecutable(const std::string& executable_path);
  // The running program's own executable.
  static AppPaths ForThisProcess();
};

}  // namespace quillcast
