// TAboutBox: the banner, the publisher's contact links and the product details read from the
// executable's version information.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <string>

namespace quillcast {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  // `executable` is the file whose version information the details come from; `open_url`
  // hands an address to the desktop.
  TAboutBox(const std::string& executable, std::function<void(const QString&)> open_url,
            QWidget* parent = nullptr);

  QPlainTextEdit* memo() const { return memo_; }
  QLabel* web_site_label() const { return web_site_; }
  QLabel* email_label() const { return email_; }
  // What a click on a contact label opens: "mailto:" for an address with "@", else "http://".
  static QString ContactAddress(const QString& label_text);
  void ContactLabelClick(QLabel* label);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(const QString&)> open_url_;
  QLabel* web_site_;
  QLabel* email_;
  QPlainTextEdit* memo_;
  QPushButton* close_button_;
};

// Shows the about box for the running program.
void ShowAboutBox(QWidget* parent);

}  // namespace quillcast
