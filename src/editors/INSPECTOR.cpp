#include "editors/INSPECTOR.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/Error.h"
#include "common/ProfileFile.h"
#include "common/ResourceStr.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/ErrorGuard.h"
#include "common/qt/QtText.h"
#include "editors/MediaTypes.h"
#include "feed/FeedDocument.h"
#include "feed/ui/DataNavigator.h"
#include "feed/ui/EditDialogs.h"
#include "feed/ui/FieldLink.h"

namespace quillcast {
namespace {

constexpr char kSection[] = "InspectorForm";
constexpr int kDesignWidth = 326;
constexpr int kDesignHeight = 419;

int ItemFieldIndex(const char* name) {
  const auto& fields = FeedDocument::ItemFieldDefs();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].name == name) return static_cast<int>(i);
  }
  throw QuillError(Format(res::kFieldNotFound, {name}));
}

}  // namespace

TItemInspectorForm::TItemInspectorForm(std::string settings_path, Prompts& prompts,
                                       EditDialogs& dialogs, QWidget* parent)
    : ToolWindow(parent),
      settings_path_(std::move(settings_path)),
      prompts_(prompts),
      dialogs_(dialogs) {
  setWindowTitle("Item Inspector");
  setObjectName("ItemInspectorForm");
  resize(kDesignWidth, kDesignHeight);

  auto* header = new QFrame(this);
  header->setObjectName("HeaderPanel");
  header->setFixedHeight(30);
  auto* header_layout = new QHBoxLayout(header);
  header_layout->setContentsMargins(4, 4, 4, 4);
  auto* icon = new QLabel(header);
  icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(16, 16));
  auto* title = new QLabel("Channel Item Details", header);
  QFont font = title->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() + 1);
  title->setFont(font);
  navigator_ = new DataNavigator(
      nullptr, prompts_, [this](const std::function<void()>& action) { return Guard(action); },
      header);
  navigator_->setObjectName("DBNavigator");
  navigator_->HideButton(DataNavigator::kFirst);
  navigator_->HideButton(DataNavigator::kLast);
  // Six flat buttons, 120 x 21 pixels in all.
  for (int b = DataNavigator::kPrior; b <= DataNavigator::kCancel; ++b) {
    navigator_->button(static_cast<DataNavigator::Button>(b))->setMinimumSize(0, 0);
    navigator_->button(static_cast<DataNavigator::Button>(b))->setFixedSize(20, 21);
  }
  // Text typed into a box reaches its field before the navigator acts.
  navigator_->SetBeforeAction([this] {
    for (FieldLink* link : links_) {
      if (!link->Commit()) return false;
    }
    return true;
  });
  header_layout->addWidget(icon);
  header_layout->addWidget(title);
  header_layout->addStretch();
  header_layout->addWidget(navigator_);

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl");

  // General: boxes widen with the window, the "..." buttons stay at their right.
  auto* general = new QWidget;
  general->setObjectName("GeneralTS");
  auto* g = new QGridLayout(general);
  g->setColumnStretch(1, 1);
  const auto row = [&](QGridLayout* grid, int r, const char* label, QWidget* box,
                       QWidget* button = nullptr) {
    grid->addWidget(new QLabel(label), r, 0);
    grid->addWidget(box, r, 1);
    if (button != nullptr) grid->addWidget(button, r, 2);
  };
  row(g, 0, "Title:", AddBox("title"));
  QLineEdit* link = AddBox("link");
  link->setObjectName("LinkDBE");
  row(g, 1, "Link:", link,
      AddButton("LinkPreviewButton", false, &TItemInspectorForm::LinkPreviewButtonClick));
  QLineEdit* description = AddBox("description");
  description->setObjectName("DescDBE");
  row(g, 2, "Description:", description,
      AddButton("DescButton", false, &TItemInspectorForm::DescButtonClick));
  row(g, 3, "Author:", AddBox("author"));
  QLineEdit* pub_date = AddBox("pubDate");
  pub_date->setObjectName("PubDateDBE");
  pub_date->setReadOnly(true);
  pub_date->setFocusPolicy(Qt::ClickFocus);
  row(g, 4, "Publication date:", pub_date,
      AddButton("PubDateButton", true, &TItemInspectorForm::PubDateButtonClick));
  auto* category = new QGroupBox("Category");
  auto* c = new QGridLayout(category);
  c->setColumnStretch(1, 1);
  row(c, 0, "Name:", AddBox("category"));
  row(c, 1, "Domain:", AddBox("domain"));
  g->addWidget(category, 5, 0, 1, 3);
  g->setRowStretch(6, 1);

  // Extra: boxes keep their size; only the group frames widen.
  auto* extra = new QWidget;
  extra->setObjectName("ExtraTS");
  auto* e = new QGridLayout(extra);
  e->setColumnStretch(3, 1);
  QLineEdit* guid = AddBox("guid");
  QLineEdit* comments = AddBox("comments");
  row(e, 0, "GUID:", guid);
  row(e, 1, "Comments:", comments);
  auto* source = new QGroupBox("Source");
  auto* s = new QGridLayout(source);
  s->setColumnStretch(3, 1);
  QLineEdit* source_name = AddBox("source");
  QLineEdit* source_url = AddBox("source_url");
  source_url->setObjectName("SourceURLDBE");
  row(s, 0, "Name:", source_name);
  row(s, 1, "URL:", source_url,
      AddButton("SourceURLButton", false, &TItemInspectorForm::SourceURLButtonClick));
  e->addWidget(source, 2, 0, 1, 4);
  auto* enclosure = new QGroupBox("Enclosure");
  auto* n = new QGridLayout(enclosure);
  n->setColumnStretch(3, 1);
  QLineEdit* enc_url = AddBox("enclosure_url");
  enc_url->setObjectName("EncURLDBE");
  QToolButton* enc_button = AddButton("EncURLButton", true, &TItemInspectorForm::EncURLButtonClick);
  n->addWidget(new QLabel("URL:"), 0, 0, 1, 2);
  n->addWidget(enc_url, 1, 0, 1, 2);
  n->addWidget(enc_button, 1, 2, Qt::AlignLeft);
  type_box_ = new QComboBox;
  type_box_->setObjectName("TypeDBCB");
  type_box_->setEditable(true);
  type_box_->setInsertPolicy(QComboBox::NoInsert);
  type_box_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  type_box_->setMinimumContentsLength(14);
  for (const char* type : kMediaTypes) type_box_->addItem(type);
  // The type box takes any length of text; the field keeps its first 20 characters.
  const int type = ItemFieldIndex("type");
  links_.push_back(new FieldLink(
      nullptr, FeedDocument::ItemFieldDefs()[static_cast<size_t>(type)], type, type_box_,
      [this](const std::function<void()>& action) { return Guard(action); }, false));
  QLineEdit* length = AddBox("length");
  length->setFixedWidth(84);
  type_box_->setFixedWidth(150);
  n->addWidget(new QLabel("Type:"), 2, 0);
  n->addWidget(new QLabel("Length (bytes):"), 2, 1);
  n->addWidget(type_box_, 3, 0);
  n->addWidget(length, 3, 1);
  e->addWidget(enclosure, 3, 0, 1, 4);
  e->setRowStretch(4, 1);
  for (QLineEdit* box : {guid, comments, source_name, source_url}) box->setFixedWidth(170);
  enc_url->setFixedWidth(238);
  setTabOrder(guid, comments);
  setTabOrder(comments, enc_url);
  setTabOrder(enc_url, enc_button);
  setTabOrder(enc_button, type_box_);
  setTabOrder(type_box_, length);
  setTabOrder(length, source_name);
  setTabOrder(source_name, source_url);

  pages_->addTab(general, "General");
  pages_->addTab(extra, "Extra");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(header);
  layout->addWidget(pages_, 1);
  SetItemDataSet(nullptr);
  LoadSettings();
}

bool TItemInspectorForm::Guard(const std::function<void()>& action) {
  return Guarded(prompts_, action);
}

QLineEdit* TItemInspectorForm::AddBox(const char* field, bool limit_length) {
  auto* box = new QLineEdit;
  const int index = ItemFieldIndex(field);
  links_.push_back(new FieldLink(
      nullptr, FeedDocument::ItemFieldDefs()[static_cast<size_t>(index)], index, box,
      [this](const std::function<void()>& action) { return Guard(action); }, limit_length));
  return box;
}

QToolButton* TItemInspectorForm::AddButton(const char* name, bool tab_stop,
                                           void (TItemInspectorForm::*handler)()) {
  auto* button = new QToolButton;
  button->setObjectName(name);
  button->setText("...");
  button->setFixedSize(21, 21);
  button->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
  connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
  return button;
}

QLineEdit* TItemInspectorForm::BoxOf(const std::string& field) const {
  for (FieldLink* link : links_) {
    if (FeedDocument::ItemFieldDefs()[static_cast<size_t>(link->field())].name == field) {
      return link->box();
    }
  }
  return nullptr;
}

QToolButton* TItemInspectorForm::ButtonNamed(const QString& name) const {
  return findChild<QToolButton*>(name);
}

void TItemInspectorForm::SetItemDataSet(DataSet* items) {
  items_ = items;
  for (FieldLink* link : links_) link->SetTable(items);
  type_box_->setEnabled(items != nullptr);
  navigator_->SetTable(items);
}

void TItemInspectorForm::EditSetPost(const char* field, const std::string& text) {
  Guard([&] {
    items_->Edit();
    items_->SetText(field, text);
    items_->Post();
  });
}

void TItemInspectorForm::LinkPreviewButtonClick() { dialogs_.PreviewURL(S(BoxOf("link")->text())); }
void TItemInspectorForm::SourceURLButtonClick() {
  dialogs_.PreviewURL(S(BoxOf("source_url")->text()));
}
void TItemInspectorForm::EncURLButtonClick() {
  dialogs_.PreviewURL(S(BoxOf("enclosure_url")->text()));
}

void TItemInspectorForm::PubDateButtonClick() {
  if (items_ == nullptr) return;
  std::string date = items_->AsString("pubDate");
  if (dialogs_.GetDateTime(date)) EditSetPost("pubDate", date);
}

void TItemInspectorForm::DescButtonClick() {
  if (items_ == nullptr || items_->state() == DataSetState::kInactive) return;
  std::string text = S(BoxOf("description")->text());
  if (dialogs_.GetText(text)) EditSetPost("description", text);
}

void TItemInspectorForm::LoadSettings() {
  const ProfileFile settings(settings_path_);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screen_width = screen != nullptr ? screen->geometry().width() : 1024;
  setGeometry(ReadPlacement(settings, kSection, "InspectorForm",
                            QRect(screen_width - kDesignWidth, 72, kDesignWidth, kDesignHeight)));
  if (settings.ReadBool(kSection, "Visible", true)) show();
}

void TItemInspectorForm::SaveSettings() {
  ProfileFile settings(settings_path_);
  const QRect bounds = geometry();
  settings.WriteInteger(kSection, "InspectorFormTop", bounds.top());
  settings.WriteInteger(kSection, "InspectorFormLeft", bounds.left());
  settings.WriteInteger(kSection, "InspectorFormWidth", bounds.width());
  settings.WriteInteger(kSection, "InspectorFormHeight", bounds.height());
  settings.WriteBool(kSection, "Visible", isVisible());
  settings.UpdateFile();
}

void TItemInspectorForm::closeEvent(QCloseEvent* event) {
  // Closing the frame only hides the window; its placement is stored while it still shows.
  Guard([this] { SaveSettings(); });
  event->accept();
}

}  // namespace quillcast
