#include "shell/FindUnit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "feed/ui/CHILDWIN.h"

namespace quillcast {

TFindForm::TFindForm(Prompts& prompts, std::function<TMDIChild*()> active_document, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts),
      active_document_(std::move(active_document)) {
  setWindowTitle("Find");
  setObjectName("FindForm");
  setModal(false);
  find_what_ = new QLineEdit(this);
  find_what_->setObjectName("FindWhatEdit");
  auto* label = new QLabel("Find &what:", this);
  label->setBuddy(find_what_);
  find_button_ = new QPushButton("&Find Next", this);
  find_button_->setObjectName("FindButton");
  find_button_->setDefault(true);
  cancel_button_ = new QPushButton("Cancel", this);
  cancel_button_->setObjectName("CancelButton");
  match_case_ = new QCheckBox("Match &case", this);
  match_case_->setObjectName("MatchCaseCB");
  auto* direction = new QGroupBox("Direction", this);
  direction->setObjectName("DirectionRG");
  up_ = new QRadioButton("&Up", direction);
  down_ = new QRadioButton("&Down", direction);
  down_->setChecked(true);
  auto* direction_layout = new QHBoxLayout(direction);
  direction_layout->addWidget(up_);
  direction_layout->addWidget(down_);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(find_what_, 0, 1, 1, 2);
  layout->addWidget(find_button_, 0, 3);
  layout->addWidget(match_case_, 1, 0, 1, 2);
  layout->addWidget(direction, 1, 2);
  layout->addWidget(cancel_button_, 1, 3, Qt::AlignTop);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(find_button_, &QPushButton::clicked, this, &TFindForm::FindNextExecute);
  // Closing only hides the window; its text and options stay for the next time.
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::hide);
  connect(find_what_, &QLineEdit::textChanged, this, &TFindForm::FindNextUpdate);
  FindNextUpdate();
}

void TFindForm::ShowFind() {
  FindNextUpdate();
  show();
  raise();
  activateWindow();
  find_what_->setFocus();
  find_what_->selectAll();
}

void TFindForm::FindNextUpdate() {
  find_button_->setEnabled(active_document_() != nullptr && !find_what_->text().isEmpty());
}

void TFindForm::FindNextExecute() {
  FindNextUpdate();
  TMDIChild* document = active_document_();
  if (document == nullptr || !find_button_->isEnabled()) return;
  const QString text = find_what_->text();
  const bool new_search = text != last_find_text_;
  if (new_search) last_find_text_ = text;
  if (!document->SearchItems(text, match_case_->isChecked(), new_search, down_->isChecked())) {
    prompts_.ShowMessage(Prompts::Kind::kWarning, "No matching found.");
  }
}

}  // namespace quillcast
