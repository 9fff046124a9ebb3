#include "editors/EditorsService.h"

#include <sys/stat.h>

#include <QDesktopServices>
#include <QUrl>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/Error.h"
#include "common/ResourceStr.h"
#include "common/qt/QtText.h"
#include "editors/GetDateTimeUnit.h"
#include "editors/GetSkipPeriodUnit.h"
#include "editors/GetTextUnit.h"
#include "editors/HTMLPreviewUnit.h"

namespace quillcast {
namespace {

bool GetSkipPeriod(std::string& list, SkipPeriod kind) {
  TGetSkipPeriodForm form(kind);
  form.SetList(list);
  form.exec();
  if (!form.Accepted()) return false;
  list = form.List();
  return true;
}

}  // namespace

bool EditorsService::GetText(std::string& text) {
  TGetTextForm form(paths_.SettingsFile(), prompts_,
                    [this](const QStringList& lines) { ShowHTML(lines); });
  form.SetText(Q(text));
  form.exec();
  if (!form.Accepted()) return false;
  text = S(form.Text());
  return true;
}

bool EditorsService::GetDateTime(std::string& date_text) {
  TGetDateTimeForm form;
  form.SetDateText(date_text);
  form.exec();
  if (!form.Accepted()) return false;
  date_text = form.DateText();
  return true;
}

bool EditorsService::GetSkipDays(std::string& list) {
  return GetSkipPeriod(list, SkipPeriod::kDays);
}

bool EditorsService::GetSkipHours(std::string& list) {
  return GetSkipPeriod(list, SkipPeriod::kHours);
}

void EditorsService::PreviewURL(const std::string& url) {
  // What the browser makes of the address is not examined.
  if (preview_ != nullptr) {
    preview_->PreviewURL(Q(url));
  } else {
    QDesktopServices::openUrl(QUrl::fromUserInput(Q(url)));
  }
}

void EditorsService::ShowHTML(const QStringList& lines) {
  const std::string path = paths_.PreviewFile();
  std::string data;
  for (const QString& line : lines) data += S(line) + "\r\n";
  try {
    ::mkdir(paths_.settings_folder.c_str(), 0777);
    ReplaceFileAtomically(path, data);
  } catch (const std::system_error& error) {
    throw QuillError(Format(res::kCannotCreateFile, {path, SystemReason(error.code().value())}));
  }
  if (preview_ != nullptr) {
    preview_->NavigateAndShow(Q(path));
  } else {
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
  }
}

}  // namespace quillcast
