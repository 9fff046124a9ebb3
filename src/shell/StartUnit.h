// TStartForm: what to do first, right after start: a new feed, a download, an open file or one
// of the files used last.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

namespace quillcast {

class TStartForm : public QDialog {
  Q_OBJECT

 public:
  // What the entries run, by their image position.
  struct Actions {
    std::function<void()> file_new;                     // 0
    std::function<void()> file_open;                    // 1
    std::function<void()> file_download;                // 5
    std::function<void(const QString&)> open_document;  // 8
  };

  TStartForm(std::string settings_path, std::vector<QIcon> icons, Actions actions,
             std::function<bool(const std::function<void()>&)> guard, QWidget* parent = nullptr);

  void FillRecentFiles();
  // Runs the chosen entry after the dialog hides.
  void ListViewClick(QListWidgetItem* entry);

  QListWidget* list() const { return list_; }
  QCheckBox* dont_show() const { return dont_show_; }
  QPushButton* close_button() const { return close_button_; }

 protected:
  void done(int result) override;

 private:
  void AddEntry(const QString& caption, int image, const QString& path = QString());

  std::string settings_path_;
  std::vector<QIcon> icons_;
  Actions actions_;
  std::function<bool(const std::function<void()>&)> guard_;
  QListWidget* list_;
  QCheckBox* dont_show_;
  QPushButton* close_button_;
  QListWidgetItem* hovered_ = nullptr;
};

}  // namespace quillcast
