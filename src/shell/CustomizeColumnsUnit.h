// TCustomizeColumnsForm: ticks the item grid's visible columns.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace quillcast {

class TCustomizeColumnsForm : public QDialog {
  Q_OBJECT

 public:
  explicit TCustomizeColumnsForm(QTableView* grid, QWidget* parent = nullptr);

  // One entry per column: its title, ticked when the column shows.
  void FillColumnList();
  // Every column shows or hides as its entry is ticked.
  void ApplyColumnChoice();
  bool Accepted() const { return accepted_; }

  QListWidget* list() const { return list_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 private:
  QTableView* grid_;
  QListWidget* list_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
  bool accepted_ = false;
};

// Shows the chooser for the grid; true when it was confirmed with OK.
bool ChooseVisibleColumns(QTableView* grid, QWidget* parent = nullptr);

}  // namespace quillcast
