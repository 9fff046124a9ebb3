#include "transfer/SiteLists.h"

#include "common/Ascii.h"

namespace quillcast {

RemotePath SplitRemotePath(const std::string& filename) {
  const auto is_separator = [](char c) { return c == '/' || c == '\\' || c == ':'; };
  size_t p = 0;  // 1-based position of the last separator, 0 when there is none
  for (size_t i = 0; i < filename.size(); ++i) {
    if (is_separator(filename[i])) p = i + 1;
  }
  RemotePath path;
  path.file_name = filename.substr(p);
  path.directory = filename.substr(0, p);
  if (p > 1 && (filename[p - 1] == '/' || filename[p - 1] == '\\') &&
      !is_separator(filename[p - 2])) {
    path.directory.pop_back();
  }
  for (char& c : path.directory) {
    if (c == '\\') c = '/';
  }
  return path;
}

ProfileFile FtpSitesFile(const std::string& path) { return ProfileFile(path, 0600); }
ProfileFile HttpSitesFile(const std::string& path) { return ProfileFile(path); }

FTPSite ReadFTPSiteRecord(const ProfileFile& file, const std::string& name) {
  FTPSite site;
  site.host = file.ReadString(name, "Host", "");
  site.port = file.ReadInteger(name, "Port", 21);
  site.passive = file.ReadBool(name, "Pasive", false);
  site.username = file.ReadString(name, "Username", "");
  site.password = file.ReadString(name, "Password", "");
  site.filename = file.ReadString(name, "Filename", "");
  return site;
}

void WriteFTPSiteRecord(ProfileFile& file, const std::string& name, const FTPSite& site) {
  file.WriteString(name, "Host", site.host);
  file.WriteInteger(name, "Port", site.port);
  file.WriteBool(name, "Pasive", site.passive);
  file.WriteString(name, "Username", site.username);
  file.WriteString(name, "Password", site.password);
  file.WriteString(name, "Filename", site.filename);
  file.UpdateFile();
}

std::string ReadHTTPSiteURL(const ProfileFile& file, const std::string& name) {
  return file.ReadString(name, "URL", "");
}

void WriteHTTPSiteURL(ProfileFile& file, const std::string& name, const std::string& url) {
  file.WriteString(name, "URL", url);
  file.UpdateFile();
}

std::string WithHttpScheme(const std::string& url) {
  const auto begins = [&](std::string_view scheme) {
    return url.size() >= scheme.size() &&
           ascii::EqualsIgnoringCase(std::string_view(url).substr(0, scheme.size()), scheme);
  };
  if (begins("http://") || begins("https://")) return url;
  return "http://" + url;
}

}  // namespace quillcast
