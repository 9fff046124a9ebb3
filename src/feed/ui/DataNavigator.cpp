#include "feed/ui/DataNavigator.h"

#include <QHBoxLayout>
#include <QStyle>

namespace quillcast {
namespace {

struct ButtonInfo {
  const char* text;
  const char* hint;
};

constexpr ButtonInfo kButtons[] = {
    {"|\u25C0", "First record"}, {"\u25C0", "Prior record"}, {"\u25B6", "Next record"},
    {"\u25B6|", "Last record"},  {"+", "Insert record"},     {"\u2212", "Delete record"},
    {"\u2714", "Post edit"},     {"\u2716", "Cancel edit"},
};

}  // namespace

DataNavigator::DataNavigator(DataSet* table, Prompts& prompts, Guard guard, QWidget* parent)
    : QWidget(parent), table_(nullptr), prompts_(prompts), guard_(std::move(guard)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(0);
  for (int b = 0; b < kButtonCount; ++b) {
    auto* button = new QToolButton(this);
    button->setText(QString::fromUtf8(kButtons[b].text));
    button->setToolTip(kButtons[b].hint);
    button->setAutoRaise(true);
    button->setMinimumSize(25, 23);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, b] { Click(static_cast<Button>(b)); });
    layout->addWidget(button);
    buttons_[b] = button;
  }
  layout->addStretch();
  SetTable(table);
}

DataNavigator::~DataNavigator() {
  if (table_ != nullptr) table_->RemoveObserver(this);
}

void DataNavigator::SetTable(DataSet* table) {
  if (table_ != nullptr) table_->RemoveObserver(this);
  table_ = table;
  if (table_ != nullptr) table_->AddObserver(this);
  UpdateButtons();
}

void DataNavigator::Click(Button b) {
  if (table_ == nullptr) return;
  if (before_action_ && !before_action_()) return;
  if (b == kDelete && !prompts_.AskOkCancel("Delete record?")) return;
  guard_([this, b] {
    switch (b) {
      case kFirst:
        table_->First();
        break;
      case kPrior:
        table_->Prior();
        break;
      case kNext:
        table_->Next();
        break;
      case kLast:
        table_->Last();
        break;
      case kInsert:
        table_->Insert();
        break;
      case kDelete:
        table_->Delete();
        break;
      case kPost:
        table_->Post();
        break;
      case kCancel:
        table_->Cancel();
        break;
      case kButtonCount:
        break;
    }
  });
  UpdateButtons();
}

void DataNavigator::UpdateButtons() {
  const bool active = table_ != nullptr && table_->state() != DataSetState::kInactive;
  const bool editing = active && table_->Editing();
  const bool up = active && !table_->Bof();
  const bool down = active && !table_->Eof();
  buttons_[kFirst]->setEnabled(up);
  buttons_[kPrior]->setEnabled(up);
  buttons_[kNext]->setEnabled(down);
  buttons_[kLast]->setEnabled(down);
  buttons_[kInsert]->setEnabled(active);
  buttons_[kDelete]->setEnabled(active && !table_->IsEmpty());
  buttons_[kPost]->setEnabled(editing);
  buttons_[kCancel]->setEnabled(editing);
}

}  // namespace quillcast
