// The seam to the internet transfer: publishing a feed to an FTP site and fetching one.
#pragma once

#include <optional>
#include <string>

namespace quillcast {

class FeedTransfer {
 public:
  virtual ~FeedTransfer() = default;
  // Shows the sites dialog on the FTP sites and uploads the text to the site chosen.
  virtual void UploadFeed(const std::string& rss_text) = 0;
  // Shows the sites dialog on the HTTP sites; the downloaded text, or nothing.
  virtual std::optional<std::string> DownloadFeed() = 0;
  // Shows the sites dialog for managing the lists only.
  virtual void ShowInternetSites() = 0;
};

}  // namespace quillcast
