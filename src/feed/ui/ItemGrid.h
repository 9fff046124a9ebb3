// ItemDBG: the item grid. Several rows can be selected, cells are edited in place with Tab
// between them, the current description and pubDate cells carry a "..." button, Insert adds a
// row and Ctrl+Delete deletes the selected rows after asking.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace quillcast {

class ItemGridModel;

class ItemGrid : public QTableView {
  Q_OBJECT

 public:
  explicit ItemGrid(QWidget* parent = nullptr);

  // Columns whose current cell shows the "..." button.
  void SetEllipsisColumns(QList<int> columns) { ellipsis_columns_ = std::move(columns); }
  bool HasEllipsis(const QModelIndex& index) const;
  // Rows selected by the user, in ascending order.
  QList<int> SelectedRows() const;

 signals:
  void ellipsisClicked(const QModelIndex& index);
  void insertRequested();
  void deleteRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QList<int> ellipsis_columns_;
};

// Paints the "..." button in the grid's current cell and reports clicks on it.
class EllipsisDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit EllipsisDelegate(ItemGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}
  static QRect ButtonRect(const QRect& cell);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

 private:
  ItemGrid* grid_;
};

}  // namespace quillcast
