#include "feed/ui/CHILDWIN.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/Ascii.h"
#include "common/Error.h"
#include "common/ProfileFile.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/QtText.h"
#include "feed/FeedFile.h"
#include "feed/RSSReader.h"
#include "feed/RSSWriter.h"
#include "feed/ui/DataNavigator.h"
#include "feed/ui/EditDialogs.h"
#include "feed/ui/FieldLink.h"
#include "feed/ui/ItemGrid.h"
#include "feed/ui/ItemGridModel.h"

namespace quillcast {
namespace {

constexpr char kSection[] = "ChildForm";

// The language codes offered by the Language box, in their order.
constexpr const char* kLanguages[] = {
    "af",    "sq",    "eu",    "be",    "bg",    "ca",    "zh-cn", "zh-tw", "hr",    "cs",
    "da",    "nl",    "nl-be", "nl-nl", "en",    "en-au", "en-bz", "en-ca", "en-ie", "en-jm",
    "en-nz", "en-ph", "en-za", "en-tt", "en-gb", "en-us", "en-zw", "et",    "fo",    "fi",
    "fr",    "fr-be", "fr-ca", "fr-fr", "fr-lu", "fr-mc", "fr-ch", "gl",    "gd",    "de",
    "de-at", "de-de", "de-li", "de-lu", "de-ch", "el",    "haw",   "hu",    "is",    "in",
    "ga",    "it",    "it-it", "it-ch", "ja",    "ko",    "mk",    "no",    "pl",    "pt",
    "pt-br", "pt-pt", "ro",    "ro-mo", "ro-ro", "ru",    "ru-mo", "ru-ru", "sr",    "sk",
    "sl",    "es",    "es-ar", "es-bo", "es-cl", "es-co", "es-cr", "es-do", "es-ec", "es-sv",
    "es-gt", "es-hn", "es-mx", "es-ni", "es-pa", "es-py", "es-pe", "es-pr", "es-es", "es-uy",
    "es-ve", "sv",    "sv-fi", "sv-se", "tr",    "uk"};

// Fields whose boxes only show their value: they change through their buttons.
bool IsReadOnlyBox(std::string_view field) {
  return field == "pubDate" || field == "lastBuildDate" || field == "skipHours" ||
         field == "skipDays";
}

// Entries of a stored comma list, split as the skip lists are.
QStringList CommaEntries(const QString& text) {
  QStringList entries;
  for (const std::string& value : SplitCommaList(S(text))) entries << Q(value);
  return entries;
}

}  // namespace

TMDIChild::TMDIChild(DocumentHost& host, Prompts& prompts, EditDialogs& dialogs,
                     std::string settings_path, QWidget* parent)
    : QMdiSubWindow(parent),
      host_(host),
      prompts_(prompts),
      dialogs_(dialogs),
      settings_path_(std::move(settings_path)) {
  setAttribute(Qt::WA_DeleteOnClose);
  document_.on_item_count_changed = [this](int) { host_.UpdateItemCount(); };
  BuildWindow();
  resize(500, 434);
}

TMDIChild::~TMDIChild() {
  host_.DocumentClosing(*this);
  // Destruction writes the placement, also when the application ends.
  try {
    SaveWindowPlacement();
  } catch (const QuillError&) {
    // Nothing can be shown while the window goes away; the next placement write may succeed.
  }
}

bool TMDIChild::Guard(const std::function<void()>& action) { return Guarded(prompts_, action); }

QWidget* TMDIChild::BuildHeader(const QString& title, QStyle::StandardPixmap icon) {
  auto* panel = new QFrame;
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Plain);
  panel->setFixedHeight(30);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
  palette.setColor(QPalette::WindowText, Qt::white);
  panel->setPalette(palette);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(6, 0, 6, 0);
  auto* image = new QLabel;
  image->setPixmap(style()->standardIcon(icon).pixmap(16, 16));
  auto* label = new QLabel(title);
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() + 2);
  label->setFont(font);
  layout->addWidget(image);
  layout->addWidget(label);
  layout->addStretch();
  return panel;
}

QWidget* TMDIChild::BuildPage(const std::vector<std::pair<const char*, const char*>>& boxes) {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(1, 1);
  int row = 0;
  for (const auto& [label, field] : boxes) {
    auto* caption = new QLabel(label);
    const int index = RSSCDS().FieldIndex(field);
    QWidget* widget;
    FieldLink* link;
    const auto guard = [this](const std::function<void()>& action) { return Guard(action); };
    if (std::string_view(field) == "language") {
      auto* combo = new QComboBox;
      combo->setEditable(true);
      combo->setObjectName("LanguageDBCB");
      for (const char* code : kLanguages) combo->addItem(code);
      combo->setInsertPolicy(QComboBox::NoInsert);
      link = new FieldLink(RSSCDS(), index, combo, guard);
      widget = combo;
    } else {
      auto* box = new QLineEdit;
      box->setObjectName(QString::fromUtf8(field) + "DBE");
      if (IsReadOnlyBox(field)) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
      }
      link = new FieldLink(RSSCDS(), index, box, guard);
      widget = box;
    }
    caption->setBuddy(widget);
    links_.push_back(link);
    grid->addWidget(caption, row, 0);
    grid->addWidget(widget, row, 1);
    ++row;
  }
  grid->setRowStretch(row, 1);
  return page;
}

void TMDIChild::AddButton(QWidget* page, const char* field, const char* name, bool in_tab_order,
                          void (TMDIChild::*handler)()) {
  auto* grid = static_cast<QGridLayout*>(page->layout());
  QLineEdit* box = BoxOf(field);
  int row = 0, column = 0, row_span = 0, column_span = 0;
  grid->getItemPosition(
      grid->indexOf(box != nullptr ? static_cast<QWidget*>(box) : page->findChild<QComboBox*>()),
      &row, &column, &row_span, &column_span);
  auto* button = new QToolButton(page);
  button->setObjectName(name);
  button->setText("...");
  button->setFocusPolicy(in_tab_order ? Qt::StrongFocus : Qt::ClickFocus);
  connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
  grid->addWidget(button, row, 2);
}

void TMDIChild::BuildWindow() {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  channel_pages_ = new QTabWidget;
  channel_pages_->setObjectName("ChannelPC");
  channel_pages_->setUsesScrollButtons(false);
  QWidget* general =
      BuildPage({{"Title*:", "title"}, {"Link*:", "link"}, {"Description*:", "description"}});
  AddButton(general, "link", "LinkPreviewButton", true, &TMDIChild::LinkPreviewButtonClick);
  AddButton(general, "description", "DescButton", true, &TMDIChild::DescButtonClick);
  QWidget* time = BuildPage({{"Publication Date:", "pubDate"},
                             {"Last Build Date:", "lastBuildDate"},
                             {"TTL (min):", "ttl"},
                             {"Skip Hours:", "skipHours"},
                             {"Skip Days:", "skipDays"}});
  AddButton(time, "pubDate", "PubDateButton", true, &TMDIChild::PubDateButtonClick);
  AddButton(time, "lastBuildDate", "LBDateButton", true, &TMDIChild::LBDateButtonClick);
  AddButton(time, "skipHours", "SkipHoursButton", true, &TMDIChild::SkipHoursButtonClick);
  AddButton(time, "skipDays", "SkipDaysButton", true, &TMDIChild::SkipDaysButtonClick);
  QWidget* image = BuildPage({{"Title:", "image_title"},
                              {"Width (px):", "width"},
                              {"Height (px):", "height"},
                              {"URL:", "url"},
                              {"Link:", "image_link"}});
  AddButton(image, "url", "ImageURLButton", false, &TMDIChild::ImageURLButtonClick);
  AddButton(image, "image_link", "ImageLinkButton", false, &TMDIChild::ImageLinkButtonClick);
  QWidget* details = BuildPage({{"Language:", "language"},
                                {"Copyright:", "copyright"},
                                {"Managing Editor:", "managingEditor"},
                                {"WebMaster:", "webMaster"}});
  QWidget* cloud = BuildPage({{"Domain:", "cloud_domain"},
                              {"Register Procedure:", "registerProcedure"},
                              {"Path:", "path"},
                              {"Port:", "port"}});
  QWidget* text_input = BuildPage({{"Name:", "name"},
                                   {"Title:", "textInput_title"},
                                   {"Description:", "textInput_description"},
                                   {"Link:", "textInput_link"}});
  AddButton(text_input, "textInput_link", "TextLinkButton", false, &TMDIChild::TextLinkButtonClick);
  QWidget* extra = BuildPage({{"Category:", "category"},
                              {"Category Domain:", "category_domain"},
                              {"Docs:", "docs"},
                              {"Rating:", "rating"}});
  channel_pages_->addTab(general, "General");
  channel_pages_->addTab(time, "Time Info");
  channel_pages_->addTab(image, "Image");
  channel_pages_->addTab(details, "Details");
  channel_pages_->addTab(cloud, "Cloud");
  channel_pages_->addTab(text_input, "Text Input");
  channel_pages_->addTab(extra, "Extra");

  auto* top = new QWidget;
  auto* top_layout = new QVBoxLayout(top);
  top_layout->setContentsMargins(0, 0, 0, 0);
  top_layout->setSpacing(0);
  top_layout->addWidget(BuildHeader("Channel Details", QStyle::SP_FileDialogInfoView));
  top_layout->addWidget(channel_pages_);
  channel_pages_->setMinimumHeight(173);

  auto* bottom = new QWidget;
  auto* bottom_layout = new QVBoxLayout(bottom);
  bottom_layout->setContentsMargins(0, 0, 0, 0);
  bottom_layout->setSpacing(0);
  bottom_layout->addWidget(BuildHeader("Channel Items", QStyle::SP_FileDialogListView));
  item_grid_ = new ItemGrid;
  item_grid_->setObjectName("ItemDBG");
  item_model_ = new ItemGridModel(
      ItemCDS(), [this](const std::function<void()>& action) { return Guard(action); }, this);
  item_grid_->setModel(item_model_);
  item_grid_->SetEllipsisColumns({kItDescription, kItPubDate});
  column_widths_.fill(100);
  connect(item_grid_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            if (size > 0 && column < kColumnCount) column_widths_[column] = size;
          });
  bottom_layout->addWidget(item_grid_, 1);
  navigator_ = new DataNavigator(
      &ItemCDS(), prompts_, [this](const std::function<void()>& action) { return Guard(action); });
  navigator_->setObjectName("ItemDBN");
  navigator_->setFixedHeight(27);
  bottom_layout->addWidget(navigator_);

  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setObjectName("Splitter1");
  splitter_->setHandleWidth(3);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(top);
  splitter_->addWidget(bottom);
  splitter_->setStretchFactor(1, 1);
  layout->addWidget(splitter_);
  setWidget(content);

  connect(item_model_, &ItemGridModel::cursorMoved, this, &TMDIChild::FollowCursor);
  connect(item_grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TMDIChild::OnGridCurrentChanged);
  connect(item_grid_, &ItemGrid::ellipsisClicked, this, &TMDIChild::ItemDBGEditButtonClick);
  connect(item_grid_, &QTableView::doubleClicked, this, [this] { ItemDBGDblClick(); });
  connect(item_grid_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
          [this](int) { ItemDBGDblClick(); });
  connect(item_grid_, &ItemGrid::insertRequested, this,
          [this] { Guard([this] { ItemCDS().Insert(); }); });
  connect(item_grid_, &ItemGrid::deleteRequested, this, &TMDIChild::DeleteSelectedItems);
}

void TMDIChild::Initialize() {
  LoadWindowPlacement();
  LoadColWidths();
  LoadColVisibility();
  FollowCursor(ItemCDS().RecNo());
}

QLineEdit* TMDIChild::BoxOf(const std::string& field) const {
  for (FieldLink* link : links_) {
    if (document_.RSSCDS().Field(link->field()).name == field) return link->box();
  }
  return nullptr;
}

QToolButton* TMDIChild::ButtonNamed(const QString& name) const {
  return findChild<QToolButton*>(name);
}

// --- The grid and the cursor -------------------------------------------------------------

void TMDIChild::FollowCursor(int row) {
  if (following_cursor_) return;
  following_cursor_ = true;
  if (row >= 0) {
    const int column = std::max(0, item_grid_->currentIndex().column());
    const QModelIndex index = item_model_->index(row, column);
    if (item_grid_->currentIndex().row() != row) {
      item_grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    item_grid_->scrollTo(index);
  }
  following_cursor_ = false;
}

void TMDIChild::OnGridCurrentChanged(const QModelIndex& current, const QModelIndex&) {
  if (following_cursor_ || !current.isValid()) return;
  DataSet& items = ItemCDS();
  if (current.row() == items.RecNo()) return;
  Guard([&] { items.MoveTo(current.row()); });
  if (items.RecNo() != current.row()) {
    // The move was refused (a post failed): the grid goes back to the record being edited.
    QTimer::singleShot(0, this, [this] { FollowCursor(ItemCDS().RecNo()); });
  }
}

QList<int> TMDIChild::SelectedItemRows() const { return item_grid_->SelectedRows(); }

void TMDIChild::DeleteSelectedItems() {
  if (ItemCDS().IsEmpty()) return;
  const QList<int> rows = SelectedItemRows();
  const QString question = rows.size() >= 2 ? "Delete all selected records?" : "Delete record?";
  if (!prompts_.AskOkCancel(question)) return;
  Guard([&] {
    DataSet& items = ItemCDS();
    if (rows.isEmpty()) {
      items.Delete();
      return;
    }
    // From the last row up, so the rows still to delete keep their numbers.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
      items.MoveTo(*it);
      items.Delete();
    }
  });
  item_grid_->clearSelection();
}

// --- Buttons --------------------------------------------------------------------------------

void TMDIChild::SetChannelField(const char* field, const std::string& text, bool as_text) {
  Guard([&] {
    DataSet& channel = RSSCDS();
    channel.Edit();
    if (as_text) {
      channel.SetText(field, text);
    } else {
      channel.SetValue(field, text.empty() ? Value{} : Value{text});
    }
    channel.Post();
  });
}

void TMDIChild::LinkPreviewButtonClick() { dialogs_.PreviewURL(S(BoxOf("link")->text())); }
void TMDIChild::ImageURLButtonClick() { dialogs_.PreviewURL(S(BoxOf("url")->text())); }
void TMDIChild::ImageLinkButtonClick() { dialogs_.PreviewURL(S(BoxOf("image_link")->text())); }
void TMDIChild::TextLinkButtonClick() { dialogs_.PreviewURL(S(BoxOf("textInput_link")->text())); }

void TMDIChild::DescButtonClick() {
  std::string text = S(BoxOf("description")->text());
  if (dialogs_.GetText(text)) SetChannelField("description", text, true);
}

void TMDIChild::PubDateButtonClick() {
  std::string date = RSSCDS().AsString("pubDate");
  if (dialogs_.GetDateTime(date)) SetChannelField("pubDate", date, true);
}

void TMDIChild::LBDateButtonClick() {
  std::string date = RSSCDS().AsString("lastBuildDate");
  if (dialogs_.GetDateTime(date)) SetChannelField("lastBuildDate", date, true);
}

void TMDIChild::SkipHoursButtonClick() {
  std::string list = RSSCDS().DisplayText("skipHours");
  if (dialogs_.GetSkipHours(list)) {
    SetChannelField("skipHours", CommaListToTagList(list, "hour"), false);
  }
}

void TMDIChild::SkipDaysButtonClick() {
  std::string list = RSSCDS().DisplayText("skipDays");
  if (dialogs_.GetSkipDays(list))
    SetChannelField("skipDays", CommaListToTagList(list, "day"), false);
}

void TMDIChild::ItemDBGEditButtonClick(const QModelIndex& index) {
  DataSet& items = ItemCDS();
  if (!index.isValid()) return;
  if (items.RecNo() != index.row() && !Guard([&] { items.MoveTo(index.row()); })) return;
  const auto edit_set_post = [&](const char* field, const std::string& text) {
    Guard([&] {
      items.Edit();
      items.SetText(field, text);
      items.Post();
    });
  };
  if (index.column() == kItPubDate) {
    std::string date = items.AsString("pubDate");
    if (dialogs_.GetDateTime(date)) edit_set_post("pubDate", date);
  }
  if (index.column() == kItDescription) {
    std::string text = items.AsString("description");
    if (dialogs_.GetText(text)) edit_set_post("description", text);
  }
}

void TMDIChild::ItemDBGDblClick() { host_.ShowItemInspector(); }

// --- Reading, writing, searching ------------------------------------------------------------

void TMDIChild::LoadRSSText(std::string text) {
  try {
    quillcast::LoadRSSText(document_, std::move(text));
  } catch (const QuillError&) {
    close();
    throw;
  }
}

void TMDIChild::SaveToFile(const std::string& path) {
  for (FieldLink* link : links_) link->WriteTypedText();
  SaveFeedFile(document_, path);
}

bool TMDIChild::CommitTypedText() {
  for (FieldLink* link : links_) {
    if (!link->Commit()) return false;
  }
  return true;
}

std::string TMDIChild::GetRSSText() {
  for (FieldLink* link : links_) link->WriteTypedText();
  return quillcast::GetRSSText(document_);
}

namespace {

// Without match case, both texts are compared in upper case; ASCII text takes a shortcut.
class TextMatcher {
 public:
  TextMatcher(const QString& text, bool match_case) : match_case_(match_case) {
    needle_ = S(match_case ? text : text.toUpper());
    needle_ascii_ = std::all_of(needle_.begin(), needle_.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  }

  bool Matches(const std::string& hay) const {
    if (needle_.empty()) return false;
    if (match_case_) return hay.find(needle_) != std::string::npos;
    const bool hay_ascii = std::all_of(hay.begin(), hay.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (hay_ascii && needle_ascii_) {
      return std::search(hay.begin(), hay.end(), needle_.begin(), needle_.end(),
                         [](char a, char b) { return ascii::Lower(a) == ascii::Lower(b); }) !=
             hay.end();
    }
    return S(Q(hay).toUpper()).find(needle_) != std::string::npos;
  }

 private:
  std::string needle_;
  bool needle_ascii_ = true;
  bool match_case_;
};

}  // namespace

bool TMDIChild::SearchItems(const QString& text, bool match_case, bool new_search, bool downward) {
  DataSet& items = ItemCDS();
  const TextMatcher matcher(text, match_case);
  // The steps are worked out on row numbers and the cursor moves once at the end, so that a
  // search over a large feed does not redraw the grid at every item.
  int row = items.RecNo();
  bool bof = items.Bof();
  bool eof = items.Eof();
  const int last = items.RecordCount() - 1;
  bool moved = false;
  const auto step = [&] {
    if (last < 0) return true;
    if (downward) {
      if (eof) return true;
      bof = false;
      if (row == last) return eof = true;
      ++row;
    } else {
      if (bof) return true;
      eof = false;
      if (row == 0) return bof = true;
      --row;
    }
    moved = true;
    return false;
  };
  const auto matches = [&](int r) {
    for (int field = 0; field < items.FieldCount(); ++field) {
      if (matcher.Matches(items.DisplayTextAt(r, field))) return true;
    }
    return false;
  };

  if (!new_search) items.CheckBrowseMode();
  bool done = new_search ? (downward ? eof : bof) : step();
  bool found = false;
  while (!done && !found) {
    if (matches(row)) {
      found = true;
    } else {
      done = step();
    }
  }
  if (found || moved) {
    if (!found && downward && eof) {
      items.Last();
    } else if (!found && !downward && bof) {
      items.First();
    } else {
      items.MoveTo(row);
    }
  } else if (!new_search && ((downward && eof) || (!downward && bof))) {
    // A step at the end only raised the end flag.
    downward ? items.Next() : items.Prior();
  }
  return found;
}

// --- Closing ----------------------------------------------------------------------------------

bool TMDIChild::CloseQuery() {
  CommitTypedText();
  if (!document_.HasUnsavedChanges()) return true;
  const QString caption = Caption();
  const QString name =
      caption.mid(std::max(caption.lastIndexOf('/'), caption.lastIndexOf(':')) + 1);
  switch (prompts_.AskYesNoCancel("Do you want to save the changes to " + name)) {
    case Prompts::Answer::kYes: {
      bool saved_or_cancelled = false;
      const bool ok = Guard([&] {
        host_.SaveDocument(*this);
        saved_or_cancelled = true;
      });
      return ok && saved_or_cancelled;
    }
    case Prompts::Answer::kNo:
      return true;
    case Prompts::Answer::kCancel:
      break;
  }
  return false;
}

void TMDIChild::closeEvent(QCloseEvent* event) {
  if (closing_with_application_) {
    event->accept();
    return;
  }
  if (!CloseQuery()) {
    event->ignore();
    return;
  }
  const bool ok = Guard([this] {
    SaveColWidths();
    host_.AddToReopenList(Caption());
  });
  if (!ok) {
    event->ignore();
    return;
  }
  QMdiSubWindow::closeEvent(event);
}

// --- Settings (section ChildForm) -------------------------------------------------------------

void TMDIChild::LoadWindowPlacement() {
  ProfileFile ini(settings_path_);
  const int state = ini.ReadInteger(kSection, "ChildFormWindowState", 2);
  if (state == 0) {
    showNormal();
    setGeometry(ReadPlacement(ini, kSection, "ChildForm", geometry()));
  } else if (state == 1) {
    showMinimized();
  } else {
    showMaximized();
  }
}

void TMDIChild::SaveWindowPlacement() {
  ProfileFile ini(settings_path_);
  WritePlacement(ini, kSection, "ChildForm", *this);
}

QString TMDIChild::GetColWidthsText() const {
  QStringList widths;
  for (int width : column_widths_) widths << QString::number(width);
  return widths.join(',');
}

QString TMDIChild::GetColVisibilityText() const {
  QStringList visible;
  for (int column = 0; column < kColumnCount; ++column) {
    visible << (item_grid_->isColumnHidden(column) ? "False" : "True");
  }
  return visible.join(',');
}

void TMDIChild::ApplyColWidthsText(const QString& text) {
  const QStringList entries = CommaEntries(text);
  for (int column = 0; column < entries.size() && column < kColumnCount; ++column) {
    bool ok = false;
    const int width = entries[column].toInt(&ok);
    column_widths_[column] = ok ? width : 100;
    if (!item_grid_->isColumnHidden(column))
      item_grid_->setColumnWidth(column, column_widths_[column]);
  }
}

void TMDIChild::ApplyColVisibilityText(const QString& text) {
  const QStringList entries = CommaEntries(text);
  for (int column = 0; column < entries.size() && column < kColumnCount; ++column) {
    const QString& entry = entries[column];
    bool is_number = false;
    const int number = entry.toInt(&is_number);
    const bool visible = is_number ? number != 0 : entry.compare("False", Qt::CaseInsensitive) != 0;
    const bool was_hidden = item_grid_->isColumnHidden(column);
    item_grid_->setColumnHidden(column, !visible);
    if (was_hidden && visible) item_grid_->setColumnWidth(column, column_widths_[column]);
  }
}

void TMDIChild::LoadColWidths() {
  ApplyColWidthsText(
      Q(ProfileFile(settings_path_).ReadString(kSection, "ColWidths", S(GetColWidthsText()))));
}

void TMDIChild::SaveColWidths() {
  ProfileFile(settings_path_).WriteString(kSection, "ColWidths", S(GetColWidthsText()));
}

void TMDIChild::LoadColVisibility() {
  ApplyColVisibilityText(Q(ProfileFile(settings_path_)
                               .ReadString(kSection, "ColVisibility", S(GetColVisibilityText()))));
}

void TMDIChild::SaveColVisibility() {
  ProfileFile(settings_path_).WriteString(kSection, "ColVisibility", S(GetColVisibilityText()));
}

}  // namespace quillcast
