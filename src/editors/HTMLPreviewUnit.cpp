#include "editors/HTMLPreviewUnit.h"

#include <QCloseEvent>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

#include "common/Error.h"
#include "common/ProfileFile.h"
#include "common/qt/DialogButtons.h"

namespace quillcast {
namespace {

constexpr char kSection[] = "PreviewForm";

}  // namespace

THTMLPreviewForm::THTMLPreviewForm(std::string settings_path, QWidget* parent)
    : ToolWindow(parent), settings_path_(std::move(settings_path)) {
  setWindowTitle("HTML Preview");
  setObjectName("HTMLPreviewForm");
  resize(326, 278);
  browser_ = new QWebEngineView(this);
  browser_->setObjectName("WebBrowser");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  LoadSettings();
}

void THTMLPreviewForm::ShowOnTop() {
  show();
  raise();
  activateWindow();
}

void THTMLPreviewForm::PreviewURL(const QString& location) {
  // The address goes to the browser as the box held it; its reading of it is the browser's.
  const QUrl url = QUrl::fromUserInput(location);
  if (url.isValid()) browser_->setUrl(url);
  ShowOnTop();
}

void THTMLPreviewForm::NavigateAndShow(const QString& path) {
  browser_->setUrl(QUrl::fromLocalFile(path));
  ShowOnTop();
}

void THTMLPreviewForm::LoadSettings() {
  const ProfileFile settings(settings_path_);
  setGeometry(ReadPlacement(settings, kSection, "", QRect(0, 72, 326, 278)));
  if (settings.ReadBool(kSection, "Visible", false)) show();
}

void THTMLPreviewForm::SaveSettings() {
  ProfileFile settings(settings_path_);
  WritePlacement(settings, kSection, "", *this);
  settings.WriteBool(kSection, "Visible", isVisible());
}

void THTMLPreviewForm::closeEvent(QCloseEvent* event) {
  // Closing the frame only hides the window; the placement is stored while it still shows.
  try {
    SaveSettings();
  } catch (const QuillError&) {
    // The next close or the close-down stores it again.
  }
  event->accept();
}

}  // namespace quillcast
