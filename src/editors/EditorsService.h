// The editing aids behind the document window's buttons: the text, date and skip-period
// dialogs, and the showing of web addresses and of the text dialog's HTML.
#pragma once

#include <QStringList>

#include "common/AppPaths.h"
#include "common/qt/Prompts.h"
#include "feed/ui/EditDialogs.h"

namespace quillcast {

class THTMLPreviewForm;

class EditorsService : public EditDialogs {
 public:
  EditorsService(AppPaths paths, Prompts& prompts) : paths_(std::move(paths)), prompts_(prompts) {}

  // The preview window, or none when the browser could not start: addresses and HTML then go
  // to the desktop's default browser.
  void SetPreview(THTMLPreviewForm* preview) { preview_ = preview; }

  bool GetText(std::string& text) override;
  bool GetDateTime(std::string& date_text) override;
  bool GetSkipDays(std::string& list) override;
  bool GetSkipHours(std::string& list) override;
  void PreviewURL(const std::string& url) override;

  // Writes the lines to tmp.html in the settings folder (UTF-8, CR LF after each line) and
  // shows it. Raises "Cannot create file \"%s\". %s".
  void ShowHTML(const QStringList& lines);

 private:
  AppPaths paths_;
  Prompts& prompts_;
  THTMLPreviewForm* preview_ = nullptr;
};

}  // namespace quillcast
