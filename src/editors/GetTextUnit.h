// TGetTextForm: edits one long text in a multi-line box, with word wrap and an HTML preview.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "common/qt/Prompts.h"

namespace quillcast {

class TGetTextForm : public QDialog {
  Q_OBJECT

 public:
  // `show_html` writes the box's lines to the preview file and shows it; it raises on failure,
  // and `prompts` shows the error.
  TGetTextForm(std::string settings_path, Prompts& prompts,
               std::function<void(const QStringList&)> show_html, QWidget* parent = nullptr);

  void SetText(const QString& text);
  // The box's whole text with CR LF between lines and none at the end.
  QString Text() const;
  bool Accepted() const { return accepted_; }
  bool WordWrap() const;
  void SetWordWrap(bool wrap);

  QPlainTextEdit* memo() const { return memo_; }
  QCheckBox* word_wrap_box() const { return word_wrap_box_; }
  QPushButton* html_button() const { return html_button_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 protected:
  void done(int result) override;

 private:
  void LoadSettings();
  void SaveSettings();
  void HTMLButtonClick();

  std::string settings_path_;
  Prompts& prompts_;
  std::function<void(const QStringList&)> show_html_;
  QPlainTextEdit* memo_;
  QAction* word_wrap_action_;
  QCheckBox* word_wrap_box_;
  QPushButton* html_button_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
  bool accepted_ = false;
};

}  // namespace quillcast
