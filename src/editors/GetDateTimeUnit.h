// TGetDateTimeForm: picks a date and a time for an RSS date text.
#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QPushButton>
#include <QTimeEdit>
#include <string>

namespace quillcast {

class TGetDateTimeForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGetDateTimeForm(QWidget* parent = nullptr);

  // Both pickers show the local date and time of the RSS date text (now, for text that is not
  // a date).
  void SetDateText(const std::string& date_text);
  // The picked local date and time as RSS date text.
  std::string DateText() const;
  bool Accepted() const { return accepted_; }

  QDateEdit* date_picker() const { return date_; }
  QTimeEdit* time_picker() const { return time_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 private:
  QDateEdit* date_;
  QTimeEdit* time_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
  bool accepted_ = false;
};

}  // namespace quillcast
