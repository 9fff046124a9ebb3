#include "editors/GetDateTimeUnit.h"

#include <QGridLayout>
#include <QLabel>

#include "common/qt/DialogButtons.h"
#include "feed/RSSUtils.h"

namespace quillcast {

TGetDateTimeForm::TGetDateTimeForm(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Date time");
  setObjectName("GetDateTimeForm");
  date_ = new QDateEdit(this);
  date_->setObjectName("DateDTP");
  date_->setCalendarPopup(true);
  date_->setDisplayFormat("yyyy-MM-dd");
  date_->setMinimumWidth(93);
  time_ = new QTimeEdit(this);
  time_->setObjectName("TimeDTP");
  time_->setDisplayFormat("HH:mm:ss");
  time_->setMinimumWidth(89);
  const OkCancel buttons = MakeOkCancel(this, [this] {
    accepted_ = true;
    return true;
  });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Date:", this), 0, 0);
  layout->addWidget(new QLabel("Time:", this), 0, 1);
  layout->addWidget(date_, 1, 0);
  layout->addWidget(time_, 1, 1);
  layout->addWidget(ok_button_, 2, 0);
  layout->addWidget(cancel_button_, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setTabOrder(date_, ok_button_);
  setTabOrder(ok_button_, cancel_button_);
  setTabOrder(cancel_button_, time_);
}

void TGetDateTimeForm::SetDateText(const std::string& date_text) {
  const LocalDateTime local = DateTimeToLocal(RSSDateToDateTime(date_text));
  date_->setDate(QDate(local.year, local.month, local.day));
  time_->setTime(QTime(local.hour, local.minute, local.second));
}

std::string TGetDateTimeForm::DateText() const {
  const QDate date = date_->date();
  const QTime time = time_->time();
  return DateTimeToRSSDate(LocalToDateTime(
      {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()}));
}

}  // namespace quillcast
