#include "feed/ui/ItemGridModel.h"

#include "common/qt/QtText.h"

namespace quillcast {

ItemGridModel::ItemGridModel(DataSet& items, Guard guard, QObject* parent)
    : QAbstractTableModel(parent), items_(items), guard_(std::move(guard)), columns_(0) {
  for (int field = 0; field < items_.FieldCount(); ++field) {
    if (!items_.Field(field).calculated) columns_ = field + 1;
  }
  items_.AddObserver(this);
}

ItemGridModel::~ItemGridModel() { items_.RemoveObserver(this); }

int ItemGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : items_.RecordCount();
}

int ItemGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant ItemGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  return Q(items_.DisplayTextAt(index.row(), FieldOfColumn(index.column())));
}

QVariant ItemGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columns_) return {};
    return Q(items_.Field(FieldOfColumn(section)).DisplayLabel());
  }
  // The row indicator: the current row, and whether it is being edited or inserted.
  if (section != items_.RecNo()) return QString();
  switch (items_.state()) {
    case DataSetState::kEdit:
      return QString::fromUtf8("\u270E");
    case DataSetState::kInsert:
      return QString::fromUtf8("\u2731");
    default:
      return QString::fromUtf8("\u25B6");
  }
}

Qt::ItemFlags ItemGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (items_.Field(FieldOfColumn(index.column())).name != "pubDate") flags |= Qt::ItemIsEditable;
  return flags;
}

bool ItemGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  const int row = index.row();
  const std::string text = S(value.toString());
  const int field = FieldOfColumn(index.column());
  if (items_.DisplayTextAt(row, field) == text && !items_.Editing()) return false;
  return guard_([&] {
    if (items_.RecNo() != row) items_.MoveTo(row);
    if (items_.RecNo() != row) return;
    items_.Edit();
    items_.SetText(field, text);
  });
}

void ItemGridModel::BeforeReset() { beginResetModel(); }
void ItemGridModel::DataSetReset() { endResetModel(); }
void ItemGridModel::BeforeRowInserted(int row) { beginInsertRows({}, row, row); }
void ItemGridModel::RowInserted(int) { endInsertRows(); }
void ItemGridModel::BeforeRowRemoved(int row) { beginRemoveRows({}, row, row); }
void ItemGridModel::RowRemoved(int) { endRemoveRows(); }

void ItemGridModel::BeforeRowMoved(int from, int to) {
  beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
}

void ItemGridModel::RowMoved(int, int) { endMoveRows(); }

void ItemGridModel::RowChanged(int row) {
  if (row < 0 || row >= rowCount()) return;
  emit dataChanged(index(row, 0), index(row, columns_ - 1));
  emit headerDataChanged(Qt::Vertical, row, row);
}

void ItemGridModel::CursorMoved(int row) {
  if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
  emit cursorMoved(row);
}

void ItemGridModel::StateChanged(DataSetState) {
  const int row = items_.RecNo();
  if (row >= 0 && row < rowCount()) emit headerDataChanged(Qt::Vertical, row, row);
}

}  // namespace quillcast
