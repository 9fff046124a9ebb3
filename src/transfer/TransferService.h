// The internet transfer behind Upload..., Download... and Tools > Internet sites.
#pragma once

#include "common/AppPaths.h"
#include "common/qt/Prompts.h"
#include "shell/FeedTransfer.h"
#include "transfer/InternetDMUnit.h"

class QWidget;

namespace quillcast {

class TransferService : public FeedTransfer {
 public:
  TransferService(AppPaths paths, Prompts& prompts, TInternetDM& internet, QWidget* parent)
      : paths_(std::move(paths)), prompts_(prompts), internet_(internet), parent_(parent) {}

  void UploadFeed(const std::string& rss_text) override;
  std::optional<std::string> DownloadFeed() override;
  void ShowInternetSites() override;

 private:
  AppPaths paths_;
  Prompts& prompts_;
  TInternetDM& internet_;
  QWidget* parent_;
};

}  // namespace quillcast
