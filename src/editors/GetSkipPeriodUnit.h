// TGetSkipPeriodForm: ticks the days or hours a feed reader may skip.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <string>

namespace quillcast {

enum class SkipPeriod { kDays, kHours };

class TGetSkipPeriodForm : public QDialog {
  Q_OBJECT

 public:
  explicit TGetSkipPeriodForm(SkipPeriod kind, QWidget* parent = nullptr);

  // Ticks the entries named in the comma list, letters compared without regard to case;
  // names that match no entry are ignored.
  void SetList(const std::string& list);
  // The ticked entries in list order, joined by ",".
  std::string List() const;
  bool Accepted() const { return accepted_; }

  QListWidget* list() const { return list_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 private:
  QListWidget* list_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
  bool accepted_ = false;
};

}  // namespace quillcast
