#include "transfer/TransferService.h"

#include "transfer/TransferUnit.h"

namespace quillcast {

void TransferService::UploadFeed(const std::string& rss_text) {
  TTransferForm form(TTransferForm::Use::kUpload, paths_, prompts_, internet_, parent_);
  form.FeedText = rss_text;
  form.exec();
}

std::optional<std::string> TransferService::DownloadFeed() {
  TTransferForm form(TTransferForm::Use::kDownload, paths_, prompts_, internet_, parent_);
  form.exec();
  if (!form.Succeeded) return std::nullopt;
  return std::move(form.FeedText);
}

void TransferService::ShowInternetSites() {
  TTransferForm form(TTransferForm::Use::kManage, paths_, prompts_, internet_, parent_);
  form.exec();
}

}  // namespace quillcast
