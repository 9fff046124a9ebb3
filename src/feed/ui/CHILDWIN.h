// TMDIChild: the document window. It owns one feed: the channel's fields on tabbed pages above,
// the items in the grid below, and the rules, reading, writing and settings of the document.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/qt/Prompts.h"
#include "feed/FeedDocument.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QSplitter;
class QTabWidget;
class QToolButton;
class QFrame;

namespace quillcast {

class DataNavigator;
class EditDialogs;
class FieldLink;
class ItemGrid;
class ItemGridModel;
class TMDIChild;

// What the document window asks of the main window.
class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual void UpdateItemCount() = 0;
  virtual void AddToReopenList(const QString& path) = 0;
  // Saves the document as the main window's Save does; false when the user cancelled the
  // file picker of Save As. Raises when the save fails.
  virtual bool SaveDocument(TMDIChild& child) = 0;
  virtual void ShowItemInspector() = 0;
  // The window is going away, its tables with it.
  virtual void DocumentClosing(TMDIChild& child) = 0;
};

class TMDIChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 15;

  TMDIChild(DocumentHost& host, Prompts& prompts, EditDialogs& dialogs, std::string settings_path,
            QWidget* parent = nullptr);
  ~TMDIChild() override;

  // The creation steps once the window stands in the workspace: its placement, then the
  // column widths and visibility, then it is shown.
  void Initialize();

  QString Caption() const { return windowTitle(); }
  void SetCaption(const QString& caption) { setWindowTitle(caption); }

  FeedDocument& document() { return document_; }
  DataSet& ItemCDS() { return document_.ItemCDS(); }
  DataSet& RSSCDS() { return document_.RSSCDS(); }
  bool Modified() const { return document_.Modified(); }
  void SetModified(bool modified) { document_.SetModified(modified); }

  // Fills the document from RSS text; on refusal the window closes and the error goes on.
  void LoadRSSText(std::string text);
  // Writes typed text into its fields first, then returns the feed as RSS text.
  std::string GetRSSText();
  // Save: the feed written to the file, then Modified cleared. Raises on failure.
  void SaveToFile(const std::string& path);
  // Text typed into a channel box but not yet written reaches its field.
  bool CommitTypedText();

  // Steps through the items from the cursor; true when one holds the text.
  bool SearchItems(const QString& text, bool match_case, bool new_search, bool downward);

  // The close question; true when the window may close.
  bool CloseQuery();
  // Closes without the close steps (the application is ending).
  void SetClosingWithApplication() { closing_with_application_ = true; }

  // Settings of section ChildForm.
  void LoadWindowPlacement();
  void SaveWindowPlacement();
  QString GetColWidthsText() const;
  QString GetColVisibilityText() const;
  void ApplyColWidthsText(const QString& text);
  void ApplyColVisibilityText(const QString& text);
  void LoadColWidths();
  void SaveColWidths();
  void LoadColVisibility();
  void SaveColVisibility();

  // The rows the user selected in the grid, ascending.
  QList<int> SelectedItemRows() const;
  ItemGrid* grid() const { return item_grid_; }
  QTabWidget* pages() const { return channel_pages_; }
  DataNavigator* navigator() const { return navigator_; }
  // The box of a channel field, for tests and for focus.
  QLineEdit* BoxOf(const std::string& field) const;
  QToolButton* ButtonNamed(const QString& name) const;

  // Asks and deletes the selected rows (or the current one), as Ctrl+Delete in the grid does.
  void DeleteSelectedItems();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  QWidget* BuildHeader(const QString& title, QStyle::StandardPixmap icon);
  QWidget* BuildPage(const std::vector<std::pair<const char*, const char*>>& boxes);
  void AddButton(QWidget* page, const char* field, const char* name, bool in_tab_order,
                 void (TMDIChild::*handler)());
  bool Guard(const std::function<void()>& action);
  // Edit the channel, set a field, post.
  void SetChannelField(const char* field, const std::string& text, bool as_text);
  void FollowCursor(int row);
  void OnGridCurrentChanged(const QModelIndex& current, const QModelIndex& previous);

  // Channel buttons.
  void LinkPreviewButtonClick();
  void ImageURLButtonClick();
  void ImageLinkButtonClick();
  void TextLinkButtonClick();
  void DescButtonClick();
  void PubDateButtonClick();
  void LBDateButtonClick();
  void SkipHoursButtonClick();
  void SkipDaysButtonClick();
  void ItemDBGEditButtonClick(const QModelIndex& index);
  void ItemDBGDblClick();

  DocumentHost& host_;
  Prompts& prompts_;
  EditDialogs& dialogs_;
  std::string settings_path_;
  FeedDocument document_;

  QTabWidget* channel_pages_ = nullptr;
  QSplitter* splitter_ = nullptr;
  ItemGrid* item_grid_ = nullptr;
  ItemGridModel* item_model_ = nullptr;
  DataNavigator* navigator_ = nullptr;
  std::vector<FieldLink*> links_;
  // Widths of the grid's columns, hidden ones included (a hidden column reports none).
  std::array<int, kColumnCount> column_widths_;
  bool closing_with_application_ = false;
  bool following_cursor_ = false;
};

}  // namespace quillcast
