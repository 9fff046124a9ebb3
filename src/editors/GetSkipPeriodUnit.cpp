#include "editors/GetSkipPeriodUnit.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/ResourceStr.h"
#include "common/qt/DialogButtons.h"
#include "common/qt/QtText.h"
#include "feed/RSSUtils.h"

namespace quillcast {

TGetSkipPeriodForm::TGetSkipPeriodForm(SkipPeriod kind, QWidget* parent) : QDialog(parent) {
  setObjectName("GetSkipPeriodForm");
  setWindowTitle(kind == SkipPeriod::kDays ? res::kSelectSkipDays : res::kSelectSkipHours);
  setSizeGripEnabled(true);
  resize(232, 299);
  list_ = new QListWidget(this);
  list_->setObjectName("CLB");
  for (const std::string& entry :
       SplitCommaList(kind == SkipPeriod::kDays ? kSkipDayValues : kSkipHourValues)) {
    auto* item = new QListWidgetItem(Q(entry), list_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  const OkCancel buttons = MakeOkCancel(this, [this] {
    accepted_ = true;
    return true;
  });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  auto* row = new QHBoxLayout;
  row->addWidget(ok_button_);
  row->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(row);
}

void TGetSkipPeriodForm::SetList(const std::string& list) {
  for (const std::string& entry : SplitCommaList(list)) {
    for (int row = 0; row < list_->count(); ++row) {
      QListWidgetItem* item = list_->item(row);
      if (item->text().compare(Q(entry), Qt::CaseInsensitive) == 0) {
        item->setCheckState(Qt::Checked);
      }
    }
  }
}

std::string TGetSkipPeriodForm::List() const {
  QStringList ticked;
  for (int row = 0; row < list_->count(); ++row) {
    if (list_->item(row)->checkState() == Qt::Checked) ticked << list_->item(row)->text();
  }
  return S(ticked.join(','));
}

}  // namespace quillcast
