// The FTP and HTTP site lists: ftp.ini and http.ini in the settings folder, one section a site.
#pragma once

#include <string>
#include <vector>

#include "common/ProfileFile.h"

namespace quillcast {

struct FTPSite {
  std::string host;
  int port = 21;
  bool passive = false;
  std::string username;
  std::string password;
  std::string filename;  // remote directory and file name
};

// Where a remote "Filename" leads: the directory to change to and the file name in it.
struct RemotePath {
  std::string directory;
  std::string file_name;
  friend bool operator==(const RemotePath&, const RemotePath&) = default;
};

// Slash, backslash and colon end a directory part; the last separator is dropped from the
// directory unless it is its only character or follows another separator.
RemotePath SplitRemotePath(const std::string& filename);

// ftp.ini holds passwords in plain text, so it is readable by its owner only.
ProfileFile FtpSitesFile(const std::string& path);
ProfileFile HttpSitesFile(const std::string& path);

FTPSite ReadFTPSiteRecord(const ProfileFile& file, const std::string& name);
// Writes every key in order, then flushes.
void WriteFTPSiteRecord(ProfileFile& file, const std::string& name, const FTPSite& site);
std::string ReadHTTPSiteURL(const ProfileFile& file, const std::string& name);
void WriteHTTPSiteURL(ProfileFile& file, const std::string& name, const std::string& url);

// The URL a saved HTTP site holds: "http://" goes in front unless the text already begins with
// "http://" or "https://", in any letter case.
std::string WithHttpScheme(const std::string& url);

}  // namespace quillcast
