#include "feed/ui/ItemGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>

namespace quillcast {

ItemGrid::ItemGrid(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // A double click shows the item inspector; typing or F2 edits the cell.
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setShowGrid(true);
  setWordWrap(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setDefaultSectionSize(100);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance("\u2731") + 14);
  setItemDelegate(new EllipsisDelegate(this));
}

bool ItemGrid::HasEllipsis(const QModelIndex& index) const {
  return index.isValid() && index == currentIndex() && ellipsis_columns_.contains(index.column());
}

QList<int> ItemGrid::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
    if (!rows.contains(index.row())) rows.append(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ItemGrid::keyPressEvent(QKeyEvent* event) {
  if (state() != QAbstractItemView::EditingState) {
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
      emit insertRequested();
      return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
      emit deleteRequested();
      return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::ControlModifier && HasEllipsis(currentIndex())) {
      emit ellipsisClicked(currentIndex());
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

QRect EllipsisDelegate::ButtonRect(const QRect& cell) {
  const int width = std::min(18, cell.width());
  return QRect(cell.right() - width + 1, cell.top(), width, cell.height());
}

void EllipsisDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  if (!grid_->HasEllipsis(index)) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  QStyleOptionViewItem text_option = option;
  text_option.rect.setRight(ButtonRect(option.rect).left() - 1);
  QStyledItemDelegate::paint(painter, text_option, index);
  QStyleOptionButton button;
  button.rect = ButtonRect(option.rect);
  button.text = "...";
  button.state = QStyle::State_Enabled | QStyle::State_Raised;
  QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
}

bool EllipsisDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event->type() == QEvent::MouseButtonRelease && grid_->HasEllipsis(index)) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (ButtonRect(option.rect).contains(mouse->position().toPoint())) {
      emit grid_->ellipsisClicked(index);
      return true;
    }
  }
  return QStyledItemDelegate::editorEvent(event, model, option, index);
}

}  // namespace quillcast
