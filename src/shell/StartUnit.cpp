#include "shell/StartUnit.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/ProfileFile.h"
#include "common/qt/QtText.h"
#include "shell/ReopenList.h"

namespace quillcast {
namespace {

constexpr int kImageRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

}  // namespace

TStartForm::TStartForm(std::string settings_path, std::vector<QIcon> icons, Actions actions,
                       std::function<bool(const std::function<void()>&)> guard, QWidget* parent)
    : QDialog(parent),
      settings_path_(std::move(settings_path)),
      icons_(std::move(icons)),
      actions_(std::move(actions)),
      guard_(std::move(guard)) {
  setWindowTitle("Quillcast Startup");
  setObjectName("StartForm");
  auto* header = new QLabel("Choose startup action:", this);
  list_ = new QListWidget(this);
  list_->setObjectName("ListView");
  list_->setViewMode(QListView::IconMode);
  list_->setIconSize(QSize(32, 32));
  list_->setMovement(QListView::Static);
  list_->setResizeMode(QListView::Adjust);
  list_->setWordWrap(true);
  list_->setGridSize(QSize(78, 64));
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setMouseTracking(true);
  // The entry under the pointer is highlighted and underlined; the pointer is a hand.
  connect(list_, &QListWidget::itemEntered, this, [this](QListWidgetItem* entry) {
    if (hovered_ != nullptr) {
      QFont font = hovered_->font();
      font.setUnderline(false);
      hovered_->setFont(font);
    }
    hovered_ = entry;
    QFont font = entry->font();
    font.setUnderline(true);
    entry->setFont(font);
    list_->setCurrentItem(entry);
    list_->viewport()->setCursor(Qt::PointingHandCursor);
  });
  connect(list_, &QListWidget::itemClicked, this, &TStartForm::ListViewClick);
  dont_show_ = new QCheckBox("Don't show this dialog again", this);
  dont_show_->setObjectName("DontShowCB");
  close_button_ = new QPushButton("Close", this);
  close_button_->setObjectName("CloseButton");
  connect(close_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(dont_show_);
  bottom->addStretch();
  bottom->addWidget(close_button_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(5, 5, 5, 5);
  layout->addWidget(header);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);
  FillRecentFiles();
  list_->setFocus();
  // A fixed frame of the design size, or larger when the desktop's font needs the room.
  setFixedSize(layout->minimumSize().expandedTo(QSize(271, 265)));
}

void TStartForm::AddEntry(const QString& caption, int image, const QString& path) {
  auto* entry = new QListWidgetItem(caption, list_);
  if (image >= 0 && image < static_cast<int>(icons_.size())) {
    entry->setIcon(icons_[static_cast<size_t>(image)]);
  }
  entry->setData(kImageRole, image);
  entry->setData(kPathRole, path);
}

void TStartForm::FillRecentFiles() {
  list_->clear();
  hovered_ = nullptr;
  AddEntry("New RSS", 0);
  AddEntry("Download RSS", 5);
  AddEntry("Open RSS", 1);
  for (const std::string& path : ReadReopenList(ProfileFile(settings_path_))) {
    const QString full = Q(path);
    AddEntry("..." + QFileInfo(full).fileName(), 8, full);
  }
}

void TStartForm::ListViewClick(QListWidgetItem* entry) {
  if (entry == nullptr) return;
  hide();
  const int image = entry->data(kImageRole).toInt();
  const QString path = entry->data(kPathRole).toString();
  // The command runs to its end, its own dialogs included, before this dialog closes.
  guard_([&] {
    switch (image) {
      case 0:
        if (actions_.file_new) actions_.file_new();
        break;
      case 1:
        if (actions_.file_open) actions_.file_open();
        break;
      case 5:
        if (actions_.file_download) actions_.file_download();
        break;
      case 8:
        if (actions_.open_document) actions_.open_document(path);
        break;
      default:
        break;
    }
  });
  reject();
}

void TStartForm::done(int result) {
  // A ticked box switches the dialog off for later starts; a refused write keeps it open.
  if (dont_show_->isChecked()) {
    const bool ok = guard_([this] {
      ProfileFile settings(settings_path_);
      settings.WriteBool("General", "ShowStartup", false);
    });
    if (!ok) return;
  }
  QDialog::done(result);
}

}  // namespace quillcast
