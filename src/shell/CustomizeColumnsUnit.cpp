#include "shell/CustomizeColumnsUnit.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quillcast {

TCustomizeColumnsForm::TCustomizeColumnsForm(QTableView* grid, QWidget* parent)
    : QDialog(parent), grid_(grid) {
  setWindowTitle("Choose Visible Columns");
  setObjectName("CustomizeColumnsForm");
  list_ = new QListWidget(this);
  list_->setObjectName("ColumnsCLB");
  ok_button_ = new QPushButton("&OK", this);
  ok_button_->setObjectName("OKButton");
  ok_button_->setDefault(true);
  cancel_button_ = new QPushButton("&Cancel", this);
  cancel_button_->setObjectName("CancelButton");
  cancel_button_->setAutoDefault(false);
  connect(ok_button_, &QPushButton::clicked, this, [this] {
    ApplyColumnChoice();
    accepted_ = true;
    accept();
  });
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
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
