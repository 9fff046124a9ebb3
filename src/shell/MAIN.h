// TMainForm: the multiple-document main window with its menus, toolbar, status bar and the one
// command list of the application, the file commands and the recent files.
#pragma once

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <optional>
#include <vector>

#include "common/AppPaths.h"
#include "common/qt/Prompts.h"
#include "feed/DataSet.h"
#include "feed/ui/CHILDWIN.h"

namespace quillcast {

class EditDialogs;
class FeedTransfer;
class TFindForm;
class TItemInspectorForm;
class THTMLPreviewForm;

// The items held by Items > Copy: every field of each item, its extra XML too.
using TDataRecord = Record;
using TDataRecordSet = std::vector<TDataRecord>;

class TMainForm : public QMainWindow, public DocumentHost {
  Q_OBJECT

 public:
  static constexpr int kIconCount = 13;

  TMainForm(AppPaths paths, Prompts& prompts, EditDialogs& dialogs, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The internet transfer behind Upload... and Download...; without one they stay disabled.
  void SetTransfer(FeedTransfer* transfer) { transfer_ = transfer; }
  // The long-lived tool windows; the preview may be missing when the browser could not start.
  void SetToolWindows(TItemInspectorForm* inspector, THTMLPreviewForm* preview);

  // Shows the window in the state its settings gave it.
  void ShowMainWindow();
  bool ShowStartup() const { return show_startup_; }

  QAction* Command(const QString& name) const { return commands_.value(name); }
  QMdiArea* workspace() const { return workspace_; }
  TMDIChild* ActiveChild() const;
  // The document windows in window-list order, the active one first.
  QList<TMDIChild*> Children() const;
  QString StatusText(int panel) const;
  int IconCount() const { return static_cast<int>(icons_.size()); }
  const std::vector<QIcon>& Icons() const { return icons_; }
  TFindForm* FindForm() const { return find_form_; }
  QMenu* ReopenMenu() const { return reopen_menu_; }
  QMenu* WindowMenu() const { return window_menu_; }
  int NewFileCounter() const { return new_file_counter_; }
  const TDataRecordSet& ItemBuffer() const { return item_buffer_; }

  // File commands and recent files.
  TMDIChild* OpenDocument(const QString& name);
  void AddToReopenList(const QString& path) override;
  void BuildReopenMenu();
  void FileNewExecute();
  void FileOpenExecute();
  void FileSaveExecute();
  void FileSaveAsExecute();
  void FileCloseExecute();
  void FileUploadExecute();
  void FileDownloadExecute();
  bool SaveDocument(TMDIChild& child) override;
  bool SaveDocumentAs(TMDIChild& child);

  // Items commands.
  void ItemsCopyExecute();
  void ItemsPasteExecute();
  void ItemsDeleteExecute();

  void UpdateItemCount() override;
  void ShowItemInspector() override;
  void DocumentClosing(TMDIChild& child) override;
  // The enabling rules; they run whenever the event loop is about to go idle.
  void UpdateActions();

  void LoadMainSettings();
  void SaveMainSettings();

  // Window arrangement.
  void TileHorizontally();
  void TileVertically();
  void MinimizeAll();
  void ArrangeAll();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QAction* AddCommand(const char* name, const char* caption, const char* hint, QKeySequence key,
                      int image);
  void BuildCommands();
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void LoadIcons();
  QIcon IconAt(int position) const;
  void RebuildWindowMenu();
  bool Guard(const std::function<void()>& action);
  std::string SettingsFile() const { return paths_.SettingsFile(); }
  void OpenUrl(const QString& url);

  AppPaths paths_;
  Prompts& prompts_;
  EditDialogs& dialogs_;
  FeedTransfer* transfer_ = nullptr;
  TFindForm* find_form_ = nullptr;
  TItemInspectorForm* inspector_ = nullptr;
  THTMLPreviewForm* preview_ = nullptr;
  QMdiArea* workspace_ = nullptr;
  QHash<QString, QAction*> commands_;
  std::vector<QIcon> icons_;
  QMenu* reopen_menu_ = nullptr;
  QMenu* window_menu_ = nullptr;
  QAction* toolbar_copy_ = nullptr;
  QAction* toolbar_paste_ = nullptr;
  QLabel* panels_[3] = {};
  int new_file_counter_ = 0;
  int window_state_ = 2;
  bool show_startup_ = true;
  TDataRecordSet item_buffer_;
  QString open_folder_;
  QString save_folder_;
};

}  // namespace quillcast
