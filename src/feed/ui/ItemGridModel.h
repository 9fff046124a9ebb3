// The item grid's model: a virtual table over ItemCDS in index order, so a feed of 100 000
// items costs nothing until rows are shown. It follows the table's change notifications.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "feed/DataSet.h"

namespace quillcast {

class ItemGridModel : public QAbstractTableModel, private DataSetObserver {
  Q_OBJECT

 public:
  // `guard` runs an edit and shows its error; it returns false when the edit was refused.
  using Guard = std::function<bool(const std::function<void()>&)>;

  ItemGridModel(DataSet& items, Guard guard, QObject* parent = nullptr);
  ~ItemGridModel() override;

  // Grid columns are the item fields up to the calculated ones.
  int FieldOfColumn(int column) const { return column; }
  DataSet& items() { return items_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // The table's cursor moved to `row` (-1 when the table is empty).
  void cursorMoved(int row);

 private:
  void BeforeReset() override;
  void DataSetReset() override;
  void BeforeRowInserted(int row) override;
  void RowInserted(int row) override;
  void BeforeRowRemoved(int row) override;
  void RowRemoved(int row) override;
  void BeforeRowMoved(int from, int to) override;
  void RowMoved(int from, int to) override;
  void RowChanged(int row) override;
  void CursorMoved(int row) override;
  void StateChanged(DataSetState state) override;

  DataSet& items_;
  Guard guard_;
  int columns_;
};

}  // namespace quillcast
