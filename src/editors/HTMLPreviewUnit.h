// THTMLPreviewForm: the HTML preview, a tool window holding the platform's browser engine.
#pragma once

#include <string>

#include "editors/ToolWindow.h"

class QWebEngineView;

namespace quillcast {

class THTMLPreviewForm : public ToolWindow {
  Q_OBJECT

 public:
  explicit THTMLPreviewForm(std::string settings_path, QWidget* parent = nullptr);

  // Shows an address as the user typed it; whatever the browser makes of it, the window shows
  // and nothing is reported.
  void PreviewURL(const QString& location);
  // Shows a local file (the text dialog's HTML).
  void NavigateAndShow(const QString& path);
  QWebEngineView* browser() const { return browser_; }

  void LoadSettings();
  void SaveSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowOnTop();

  std::string settings_path_;
  QWebEngineView* browser_;
};

}  // namespace quillcast
