#include "shell/MAIN.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "about/about.h"
#include "common/Error.h"
#include "common/ProfileFile.h"
#include "common/ResourceStr.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/QtText.h"
#include "editors/HTMLPreviewUnit.h"
#include "editors/INSPECTOR.h"
#include "feed/FeedFile.h"
#include "feed/ui/EditDialogs.h"
#include "feed/ui/ItemGrid.h"
#include "shell/CustomizeColumnsUnit.h"
#include "shell/FeedTransfer.h"
#include "shell/FindUnit.h"
#include "shell/ReopenList.h"

namespace quillcast {
namespace {

constexpr char kMainSection[] = "MainForm";
constexpr char kSupportUrl[] = "https://quillcast.orvel.example/support";
constexpr char kContactUrl[] = "https://quillcast.orvel.example/contact";
constexpr QRect kDesignBounds(194, 111, 452, 301);

QLineEdit* FocusedTextBox() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

}  // namespace

TMainForm::TMainForm(AppPaths paths, Prompts& prompts, EditDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(paths)), prompts_(prompts), dialogs_(dialogs) {
  setWindowTitle("Quillcast");
  setObjectName("MainForm");
  setGeometry(kDesignBounds);
  workspace_ = new QMdiArea(this);
  workspace_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  workspace_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(workspace_);
  connect(workspace_, &QMdiArea::subWindowActivated, this, [this] {
    // The inspector follows the active document; then the item count.
    if (inspector_ != nullptr) {
      TMDIChild* active = ActiveChild();
      inspector_->SetItemDataSet(active != nullptr ? &active->ItemCDS() : nullptr);
    }
    UpdateItemCount();
  });

  new_file_counter_ = 0;
  LoadMainSettings();
  LoadIcons();
  BuildCommands();
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  BuildReopenMenu();
  item_buffer_.clear();

  // The find dialog is created once, hidden.
  find_form_ = new TFindForm(
      prompts_, [this] { return ActiveChild(); }, this);

  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TMainForm::UpdateActions);
  UpdateActions();
}

TMainForm::~TMainForm() {
  // The document windows go first, each writing its placement as it is destroyed.
  for (TMDIChild* child : Children()) {
    child->SetClosingWithApplication();
    delete child;
  }
}

bool TMainForm::Guard(const std::function<void()>& action) { return Guarded(prompts_, action); }

// --- Icons, commands, menus, toolbar, status bar ---------------------------------------------

void TMainForm::LoadIcons() {
  // A missing icon adds nothing, so the icons after it move up one place.
  icons_.clear();
  const QDir folder(Q(paths_.IconFolder()));
  for (int i = 0; i < kIconCount; ++i) {
    const QString file = folder.filePath(QString::number(i) + ".svg");
    if (!QFileInfo::exists(file)) continue;
    QIcon icon(file);
    if (!icon.isNull()) icons_.push_back(icon);
  }
}

QIcon TMainForm::IconAt(int position) const {
  if (position < 0 || position >= static_cast<int>(icons_.size())) return {};
  return icons_[static_cast<size_t>(position)];
}

QAction* TMainForm::AddCommand(const char* name, const char* caption, const char* hint,
                               QKeySequence key, int image) {
  auto* action = new QAction(QString::fromUtf8(caption), this);
  action->setObjectName(name);
  if (hint != nullptr) {
    // "short|long": the long part goes to the status bar.
    const QStringList parts = QString::fromUtf8(hint).split('|');
    action->setToolTip(parts.front());
    action->setStatusTip(parts.back());
  }
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::ApplicationShortcut);
  }
  action->setIcon(IconAt(image));
  commands_.insert(name, action);
  addAction(action);
  return action;
}

void TMainForm::BuildCommands() {
  const auto on = [this](const char* name, auto handler) {
    connect(commands_.value(name), &QAction::triggered, this, [this, handler] { handler(); });
  };
  AddCommand("HelpContent", "Help", nullptr, Qt::Key_F1, 12);
  AddCommand("FileNew", "New", "New|Create a new file", QKeySequence("Ctrl+N"), 0);
  AddCommand("FileOpen", "Open", "Open|Open a file", QKeySequence("Ctrl+O"), 1);
  AddCommand("FileClose", "Close", "Close|Close current file", {}, -1);
  AddCommand("FileSave", "Save", "Save|Save current file", QKeySequence("Ctrl+S"), 2);
  AddCommand("FileSaveAs", "Save As...", "Save As|Save current file with different name", {}, -1);
  AddCommand("FileExit", "Exit", "Exit|Exit application", {}, -1);
  AddCommand("EditCut", "Cut", "Cut|Cuts the selection and puts it on the Clipboard",
             QKeySequence("Ctrl+X"), -1);
  AddCommand("EditCopy", "Copy", "Copy|Copies the selection and puts it on the Clipboard",
             QKeySequence("Ctrl+C"), 3);
  AddCommand("EditPaste", "Paste", "Paste|Inserts Clipboard contents", QKeySequence("Ctrl+V"), -1);
  AddCommand("WindowCascade", "Cascade", "Cascade", {}, 17);
  AddCommand("WindowTileHorizontal", "Tile Horizontally", "Tile Horizontally", {}, 15);
  AddCommand("WindowTileVertical", "Tile Vertically", "Tile Vertically", {}, 16);
  AddCommand("WindowMinimizeAll", "Minimize All", "Minimize All", {}, -1);
  AddCommand("WindowArrangeAll", "Arrange All", "Arrange All", {}, -1);
  AddCommand("HelpAbout", "About...",
             "About|Displays program information, version number, and copyright", {}, -1);
  AddCommand("ViewItemInspector", "Item Inspector", "Show/Hide Item Inspector", {}, -1);
  AddCommand("FileUpload", "Upload...", "Upload current file", {}, 6);
  AddCommand("FileDownload", "Download...", "Download a file", {}, 5);
  AddCommand("ToolsInternetSites", "Internet sites", "Manage FTP and HTTP sites", {}, -1);
  AddCommand("ViewHTMLPreview", "HTML Preview", "Show/Hide HTML Preview Form", {}, -1);
  AddCommand("ItemsColumns", "Columns", "Set items visible columns", {}, 4);
  AddCommand("ItemsCopy", "Copy", nullptr, QKeySequence("Alt+C"), -1);
  AddCommand("ItemsPaste", "Paste", nullptr, QKeySequence("Alt+V"), -1);
  AddCommand("ItemsFind", "Find", "Find text in channel items", QKeySequence("Ctrl+F"), 7);
  AddCommand("ItemsDelete", "Delete", "Delete selected item(s)", QKeySequence("Alt+Del"), 11);
  AddCommand("HelpSupport", "Support", nullptr, {}, -1);
  AddCommand("HelpContactUs", "Contact us", nullptr, {}, -1);
  commands_.value("ViewItemInspector")->setCheckable(true);
  commands_.value("ViewHTMLPreview")->setCheckable(true);

  on("HelpContent",
     [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(Q(paths_.HelpIndex()))); });
  on("FileNew", [this] { Guard([this] { FileNewExecute(); }); });
  on("FileOpen", [this] { Guard([this] { FileOpenExecute(); }); });
  on("FileClose", [this] { FileCloseExecute(); });
  on("FileSave", [this] { Guard([this] { FileSaveExecute(); }); });
  on("FileSaveAs", [this] { Guard([this] { FileSaveAsExecute(); }); });
  on("FileExit", [this] { close(); });
  on("EditCut", [] {
    if (QLineEdit* box = FocusedTextBox()) box->cut();
  });
  on("EditCopy", [] {
    if (QLineEdit* box = FocusedTextBox()) box->copy();
  });
  on("EditPaste", [] {
    if (QLineEdit* box = FocusedTextBox()) box->paste();
  });
  on("WindowCascade", [this] { workspace_->cascadeSubWindows(); });
  on("WindowTileHorizontal", [this] { TileHorizontally(); });
  on("WindowTileVertical", [this] { TileVertically(); });
  on("WindowMinimizeAll", [this] { MinimizeAll(); });
  on("WindowArrangeAll", [this] { ArrangeAll(); });
  on("HelpAbout", [this] { ShowAboutBox(this); });
  on("ItemsFind", [this] {
    if (ActiveChild() != nullptr) find_form_->ShowFind();
  });
  on("ItemsColumns", [this] {
    Guard([this] {
      TMDIChild* child = ActiveChild();
      if (child != nullptr && ChooseVisibleColumns(child->grid(), this)) child->SaveColVisibility();
    });
  });
  on("FileUpload", [this] { Guard([this] { FileUploadExecute(); }); });
  on("FileDownload", [this] { Guard([this] { FileDownloadExecute(); }); });
  on("ItemsCopy", [this] { Guard([this] { ItemsCopyExecute(); }); });
  on("ItemsPaste", [this] { Guard([this] { ItemsPasteExecute(); }); });
  on("ItemsDelete", [this] { Guard([this] { ItemsDeleteExecute(); }); });
  on("ViewItemInspector", [this] {
    if (inspector_ != nullptr) inspector_->setVisible(!inspector_->isVisible());
  });
  on("ViewHTMLPreview", [this] {
    if (preview_ != nullptr) preview_->setVisible(!preview_->isVisible());
  });
  on("ToolsInternetSites", [this] {
    if (transfer_ != nullptr) Guard([this] { transfer_->ShowInternetSites(); });
  });
  on("HelpSupport", [this] { OpenUrl(kSupportUrl); });
  on("HelpContactUs", [this] { OpenUrl(kContactUrl); });
}

void TMainForm::OpenUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

void TMainForm::BuildMenus() {
  const auto command = [this](const char* name) { return commands_.value(name); };
  QMenu* channel = menuBar()->addMenu("&Channel");
  channel->setToolTip("File related commands");
  channel->addAction(command("FileNew"));
  channel->addAction(command("FileOpen"));
  reopen_menu_ = channel->addMenu("Reopen");
  reopen_menu_->setObjectName("ReopenMI");
  channel->addSeparator();
  channel->addAction(command("FileSave"));
  channel->addAction(command("FileSaveAs"));
  channel->addAction(command("FileClose"));
  channel->addSeparator();
  channel->addAction(command("FileDownload"));
  channel->addAction(command("FileUpload"));
  channel->addSeparator();
  channel->addAction(command("FileExit"));

  QMenu* items = menuBar()->addMenu("&Items");
  items->addAction(command("ItemsCopy"));
  items->addAction(command("ItemsPaste"));
  items->addAction(command("ItemsDelete"));
  items->addSeparator();
  items->addAction(command("ItemsFind"));
  items->addSeparator();
  items->addAction(command("ItemsColumns"));

  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->addAction(command("ViewItemInspector"));
  tools->addAction(command("ViewHTMLPreview"));
  tools->addSeparator();
  tools->addAction(command("ToolsInternetSites"));

  window_menu_ = menuBar()->addMenu("&Window");
  window_menu_->setToolTip("Window related commands");
  connect(window_menu_, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowMenu);
  RebuildWindowMenu();

  QMenu* help = menuBar()->addMenu("&Help");
  help->setToolTip("Help topics");
  help->addAction(command("HelpContent"));
  help->addAction(command("HelpAbout"));
  help->addSeparator();
  help->addAction(command("HelpContactUs"));
  help->addAction(command("HelpSupport"));
}

void TMainForm::RebuildWindowMenu() {
  window_menu_->clear();
  for (const char* name : {"WindowCascade", "WindowTileHorizontal", "WindowTileVertical",
                           "WindowMinimizeAll", "WindowArrangeAll"}) {
    window_menu_->addAction(commands_.value(name));
  }
  // Below the commands, the open document windows; choosing one activates it.
  const QList<QMdiSubWindow*> windows = workspace_->subWindowList();
  if (!windows.isEmpty()) window_menu_->addSeparator();
  int number = 1;
  for (QMdiSubWindow* window : windows) {
    QAction* entry = window_menu_->addAction(
        QString(number < 10 ? "&%1 %2" : "%1 %2").arg(number).arg(window->windowTitle()));
    entry->setCheckable(true);
    entry->setChecked(window == workspace_->activeSubWindow());
    connect(entry, &QAction::triggered, this, [this, window] {
      if (window->isMinimized()) window->showNormal();
      workspace_->setActiveSubWindow(window);
    });
    ++number;
  }
}

void TMainForm::BuildToolBar() {
  const auto command = [this](const char* name) { return commands_.value(name); };
  // The toolbar's Copy and Paste carry images of their own; they do what Items > Copy and
  // Items > Paste do.
  toolbar_copy_ = new QAction(IconAt(9), "Copy", this);
  toolbar_paste_ = new QAction(IconAt(10), "Paste", this);
  connect(toolbar_copy_, &QAction::triggered, command("ItemsCopy"), &QAction::trigger);
  connect(toolbar_paste_, &QAction::triggered, command("ItemsPaste"), &QAction::trigger);

  const Qt::ToolButtonStyle style =
      icons_.empty() ? Qt::ToolButtonTextOnly : Qt::ToolButtonTextUnderIcon;
  const auto make_row = [&](const char* name) {
    auto* bar = addToolBar(name);
    bar->setObjectName(name);
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(style);
    return bar;
  };
  const auto add = [](QToolBar* bar, QAction* action) {
    bar->addAction(action);
    if (QWidget* button = bar->widgetForAction(action)) button->setMinimumSize(66, 52);
  };
  QToolBar* row1 = make_row("ToolBar");
  add(row1, command("FileNew"));
  add(row1, command("FileOpen"));
  add(row1, command("FileSave"));
  row1->addSeparator();
  add(row1, command("FileDownload"));
  add(row1, command("FileUpload"));
  addToolBarBreak();
  QToolBar* row2 = make_row("ToolBarRow2");
  add(row2, command("ItemsColumns"));
  add(row2, command("ItemsFind"));
  row2->addSeparator();
  add(row2, toolbar_copy_);
  add(row2, toolbar_paste_);
  add(row2, command("ItemsDelete"));
  row2->addSeparator();
  add(row2, command("HelpContent"));
}

void TMainForm::BuildStatusBar() {
  const int widths[3] = {200, 100, 100};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setFrameShape(QFrame::Panel);
    panels_[i]->setFrameShadow(QFrame::Sunken);
    panels_[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(panels_[i], i == 0 ? 1 : 0);
  }
}

QString TMainForm::StatusText(int panel) const { return panels_[panel]->text(); }

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // The long part of the hint under the pointer goes to the first panel.
    panels_[0]->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

// --- Enabling rules ---------------------------------------------------------------------------

void TMainForm::UpdateActions() {
  const auto set = [this](const char* name, bool enabled) {
    QAction* action = commands_.value(name);
    if (action->isEnabled() != enabled) action->setEnabled(enabled);
  };
  TMDIChild* active = ActiveChild();
  const bool document = active != nullptr;
  const bool windows = !workspace_->subWindowList().isEmpty();
  for (const char* name : {"FileClose", "FileSave", "FileSaveAs", "ItemsFind", "ItemsColumns"}) {
    set(name, document);
  }
  set("FileUpload", document && transfer_ != nullptr);
  set("FileDownload", transfer_ != nullptr);
  for (const char* name : {"WindowCascade", "WindowTileHorizontal", "WindowTileVertical",
                           "WindowMinimizeAll", "WindowArrangeAll"}) {
    set(name, windows);
  }
  QLineEdit* box = FocusedTextBox();
  set("EditCut", box != nullptr && box->hasSelectedText() && !box->isReadOnly());
  set("EditCopy", box != nullptr && box->hasSelectedText());
  set("EditPaste",
      box != nullptr && !box->isReadOnly() && !QApplication::clipboard()->text().isEmpty());
  const bool has_items =
      document && (!active->SelectedItemRows().isEmpty() || !active->ItemCDS().IsEmpty());
  set("ItemsCopy", has_items);
  set("ItemsDelete", has_items);
  set("ItemsPaste", document && !item_buffer_.empty());
  toolbar_copy_->setEnabled(commands_.value("ItemsCopy")->isEnabled());
  toolbar_paste_->setEnabled(commands_.value("ItemsPaste")->isEnabled());
  set("ViewItemInspector", inspector_ != nullptr);
  commands_.value("ViewItemInspector")
      ->setChecked(inspector_ != nullptr && inspector_->isVisible());
  // Without a browser there is no preview to show.
  set("ViewHTMLPreview", preview_ != nullptr);
  commands_.value("ViewHTMLPreview")->setChecked(preview_ != nullptr && preview_->isVisible());
  find_form_->FindNextUpdate();
  set("ToolsInternetSites", transfer_ != nullptr);
}

// --- Documents ------------------------------------------------------------------------------

TMDIChild* TMainForm::ActiveChild() const {
  return qobject_cast<TMDIChild*>(workspace_->activeSubWindow());
}

QList<TMDIChild*> TMainForm::Children() const {
  QList<TMDIChild*> children;
  const QList<QMdiSubWindow*> stack = workspace_->subWindowList(QMdiArea::StackingOrder);
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (auto* child = qobject_cast<TMDIChild*>(*it)) children.append(child);
  }
  if (TMDIChild* active = ActiveChild()) {
    children.removeOne(active);
    children.prepend(active);
  }
  return children;
}

void TMainForm::UpdateItemCount() {
  TMDIChild* active = ActiveChild();
  if (active != nullptr && active->ItemCDS().state() != DataSetState::kInactive) {
    panels_[1]->setText(QString("Item Count: %1").arg(active->ItemCDS().RecordCount()));
  } else {
    panels_[1]->clear();
  }
  panels_[1]->repaint();
}

void TMainForm::SetToolWindows(TItemInspectorForm* inspector, THTMLPreviewForm* preview) {
  inspector_ = inspector;
  preview_ = preview;
  if (TMDIChild* active = ActiveChild(); active != nullptr && inspector_ != nullptr) {
    inspector_->SetItemDataSet(&active->ItemCDS());
  }
}

void TMainForm::ShowItemInspector() {
  if (inspector_ == nullptr) return;
  inspector_->show();
  inspector_->raise();
}

void TMainForm::DocumentClosing(TMDIChild& child) {
  if (inspector_ != nullptr && inspector_->ItemDataSet() == &child.ItemCDS()) {
    inspector_->SetItemDataSet(nullptr);
  }
}

TMDIChild* TMainForm::OpenDocument(const QString& name) {
  auto* child = new TMDIChild(*this, prompts_, dialogs_, SettingsFile());
  child->SetCaption(name);
  workspace_->addSubWindow(child);
  child->Initialize();
  workspace_->setActiveSubWindow(child);
  const std::string path = S(name);
  if (!FileExists(path)) return child;
  child->LoadRSSText(ReadFeedFile(path));
  UpdateItemCount();
  return child;
}

void TMainForm::AddToReopenList(const QString& path) {
  ProfileFile settings(SettingsFile());
  if (quillcast::AddToReopenList(settings, S(path))) BuildReopenMenu();
}

void TMainForm::BuildReopenMenu() {
  reopen_menu_->clear();
  const ProfileFile settings(SettingsFile());
  for (const std::string& key : settings.ReadSection(kReopenSection)) {
    const QString path = Q(settings.ReadString(kReopenSection, key, ""));
    QAction* entry = reopen_menu_->addAction("&" + Q(key) + " " + path);
    connect(entry, &QAction::triggered, this, [this, path] { Guard([&] { OpenDocument(path); }); });
  }
  reopen_menu_->setEnabled(!reopen_menu_->isEmpty());
}

void TMainForm::FileNewExecute() {
  ++new_file_counter_;
  OpenDocument(QString::fromUtf8(res::kNewRSSFile) + QString::number(new_file_counter_));
}

void TMainForm::FileOpenExecute() {
  const auto path = prompts_.PickFileToOpen(
      {QString(), {"RSS XML File (*.xml)", "All files (*)"}, open_folder_, QString()});
  if (!path) return;
  open_folder_ = QFileInfo(*path).absolutePath();
  OpenDocument(*path);
}

void TMainForm::FileSaveExecute() {
  if (TMDIChild* child = ActiveChild()) SaveDocument(*child);
}

void TMainForm::FileSaveAsExecute() {
  if (TMDIChild* child = ActiveChild()) SaveDocumentAs(*child);
}

bool TMainForm::SaveDocument(TMDIChild& child) {
  if (child.Caption().startsWith(QString::fromUtf8(res::kNewRSSFile))) {
    return SaveDocumentAs(child);
  }
  child.SaveToFile(S(child.Caption()));
  return true;
}

bool TMainForm::SaveDocumentAs(TMDIChild& child) {
  const auto path =
      prompts_.PickFileToSave({"Save RSS XML File", {"RSS XML File (*.xml)"}, save_folder_, "xml"});
  if (!path) return false;
  save_folder_ = QFileInfo(*path).absolutePath();
  child.SaveToFile(S(*path));
  child.SetCaption(*path);
  return true;
}

void TMainForm::FileCloseExecute() {
  if (TMDIChild* child = ActiveChild()) child->close();
}

void TMainForm::FileUploadExecute() {
  TMDIChild* child = ActiveChild();
  if (child == nullptr || transfer_ == nullptr) return;
  transfer_->UploadFeed(child->GetRSSText());
}

void TMainForm::FileDownloadExecute() {
  if (transfer_ == nullptr) return;
  std::optional<std::string> text = transfer_->DownloadFeed();
  if (!text) return;
  ++new_file_counter_;
  auto* child = new TMDIChild(*this, prompts_, dialogs_, SettingsFile());
  child->SetCaption(QString::fromUtf8(res::kNewRSSFile) + QString::number(new_file_counter_));
  workspace_->addSubWindow(child);
  child->Initialize();
  workspace_->setActiveSubWindow(child);
  child->LoadRSSText(std::move(*text));
  UpdateItemCount();
}

// --- Items ------------------------------------------------------------------------------------

void TMainForm::ItemsCopyExecute() {
  TMDIChild* child = ActiveChild();
  if (child == nullptr) return;
  DataSet& items = child->ItemCDS();
  TDataRecordSet copied;
  const QList<int> rows = child->SelectedItemRows();
  if (rows.isEmpty()) {
    if (!items.IsEmpty()) copied.push_back(items.RecordAt(items.RecNo()));
  } else {
    for (int row : rows) {
      items.MoveTo(row);
      copied.push_back(items.RecordAt(items.RecNo()));
    }
  }
  item_buffer_ = std::move(copied);
}

void TMainForm::ItemsPasteExecute() {
  TMDIChild* child = ActiveChild();
  if (child == nullptr) return;
  DataSet& items = child->ItemCDS();
  for (const TDataRecord& record : item_buffer_) {
    items.Insert();
    for (int field = 0; field < items.FieldCount(); ++field) {
      if (!items.Field(field).calculated)
        items.SetValue(field, record.values[static_cast<size_t>(field)]);
    }
    items.SetExtra(record.extra);
    items.Post();
  }
}

void TMainForm::ItemsDeleteExecute() {
  TMDIChild* child = ActiveChild();
  if (child == nullptr) return;
  if (!prompts_.Confirm("Are you sure you want to delete selected item(s)?")) return;
  DataSet& items = child->ItemCDS();
  const QList<int> rows = child->SelectedItemRows();
  if (rows.isEmpty()) {
    items.Delete();
  } else {
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
      items.MoveTo(*it);
      items.Delete();
    }
    child->grid()->clearSelection();
  }
}

// --- Window arrangement -----------------------------------------------------------------------

namespace {

QList<QMdiSubWindow*> OpenWindows(QMdiArea* area) {
  QList<QMdiSubWindow*> open;
  for (QMdiSubWindow* window : area->subWindowList()) {
    if (!window->isMinimized() && window->isVisible()) open.append(window);
  }
  return open;
}

// Stacked one above the other (vertical), or side by side, each taking an equal share.
void Tile(QMdiArea* workspace, Qt::Orientation stacking) {
  const QList<QMdiSubWindow*> windows = OpenWindows(workspace);
  if (windows.isEmpty()) return;
  const QRect area = workspace->viewport()->rect();
  const int count = static_cast<int>(windows.size());
  const bool stacked = stacking == Qt::Vertical;
  const int share = (stacked ? area.height() : area.width()) / count;
  for (int i = 0; i < count; ++i) {
    windows[i]->showNormal();
    windows[i]->setGeometry(stacked ? QRect(0, i * share, area.width(), share)
                                    : QRect(i * share, 0, share, area.height()));
  }
}

}  // namespace

void TMainForm::TileHorizontally() { Tile(workspace_, Qt::Vertical); }

void TMainForm::TileVertically() { Tile(workspace_, Qt::Horizontal); }

void TMainForm::MinimizeAll() {
  for (QMdiSubWindow* window : workspace_->subWindowList()) window->showMinimized();
  ArrangeAll();
}

void TMainForm::ArrangeAll() {
  // The minimized windows line up along the bottom of the workspace, left to right.
  const QRect area = workspace_->viewport()->rect();
  int left = 0;
  int bottom = area.height();
  for (QMdiSubWindow* window : workspace_->subWindowList()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    if (left > 0 && left + size.width() > area.width()) {
      left = 0;
      bottom -= size.height();
    }
    window->move(left, bottom - size.height());
    left += size.width();
  }
}

// --- Settings and close-down --------------------------------------------------------------------

void TMainForm::LoadMainSettings() {
  const ProfileFile settings(SettingsFile());
  window_state_ = settings.ReadInteger(kMainSection, "MainFormWindowState", 2);
  if (window_state_ == 0)
    setGeometry(ReadPlacement(settings, kMainSection, "MainForm", geometry()));
  show_startup_ = settings.ReadBool("General", "ShowStartup", true);
}

void TMainForm::ShowMainWindow() {
  if (window_state_ == 0) {
    showNormal();
  } else if (window_state_ == 1) {
    showMinimized();
  } else {
    showMaximized();
  }
}

void TMainForm::SaveMainSettings() {
  ProfileFile settings(SettingsFile());
  WritePlacement(settings, kMainSection, "MainForm", *this);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  const QList<TMDIChild*> children = Children();
  for (TMDIChild* child : children) {
    if (!child->CloseQuery()) {
      event->ignore();
      return;
    }
  }
  const bool ok = Guard([&] {
    if (TMDIChild* active = ActiveChild()) active->SaveColWidths();
    for (TMDIChild* child : children) AddToReopenList(child->Caption());
    if (inspector_ != nullptr) inspector_->SaveSettings();
    if (preview_ != nullptr) preview_->SaveSettings();
    SaveMainSettings();
  });
  if (!ok) {
    event->ignore();
    return;
  }
  for (TMDIChild* child : children) child->SetClosingWithApplication();
  event->accept();
}

}  // namespace quillcast
