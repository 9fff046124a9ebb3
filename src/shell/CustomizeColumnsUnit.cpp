#include "shell/CustomizeColumnsUnit.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/qt/DialogButtons.h"

namespace quillcast {

TCustomizeColumnsForm::TCustomizeColumnsForm(QTableView* grid, QWidget* parent)
    : QDialog(parent), grid_(grid) {
  setWindowTitle("Choose Visible Columns");
  setObjectName("CustomizeColumnsForm");
  list_ = new QListWidget(this);
  list_->setObjectName("ColumnsCLB");
  const OkCancel buttons = MakeOkCancel(this, [this] {
    ApplyColumnChoice();
    accepted_ = true;
    return true;
  });
  ok_button_ = buttons.ok;
  cancel_button_ = buttons.cancel;
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok_button_);
  row->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(row);
  setFixedSize(234, 273 + 41);
  FillColumnList();
}

void TCustomizeColumnsForm::FillColumnList() {
  list_->clear();
  QAbstractItemModel* model = grid_->model();
  for (int column = 0; column < model->columnCount(); ++column) {
    auto* entry = new QListWidgetItem(model->headerData(column, Qt::Horizontal).toString(), list_);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    entry->setCheckState(grid_->isColumnHidden(column) ? Qt::Unchecked : Qt::Checked);
  }
}

void TCustomizeColumnsForm::ApplyColumnChoice() {
  for (int column = 0; column < list_->count(); ++column) {
    grid_->setColumnHidden(column, list_->item(column)->checkState() != Qt::Checked);
  }
}

bool ChooseVisibleColumns(QTableView* grid, QWidget* parent) {
  TCustomizeColumnsForm form(grid, parent);
  form.exec();
  return form.Accepted();
}

}  // namespace quillcast
