// Binds one text box (or the edit part of a combo box) to one field of a table: it shows the
// current record's value, enters edit state when the user types, writes the text into the field
// on Enter or when the box loses the focus, and puts the field's value back on Esc.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <functional>

#include "feed/DataSet.h"

class QComboBox;
class QLineEdit;

namespace quillcast {

class FieldLink : public QObject, private DataSetObserver {
  Q_OBJECT

 public:
  using Guard = std::function<bool(const std::function<void()>&)>;

  FieldLink(DataSet& table, int field, QLineEdit* box, Guard guard);
  FieldLink(DataSet& table, int field, QComboBox* box, Guard guard);
  // A box that may follow no table yet; `def` is the field's definition. A text box accepts
  // no more characters than the field holds unless `limit_length` is false.
  FieldLink(DataSet* table, const FieldDef& def, int field, QLineEdit* box, Guard guard,
            bool limit_length = true);
  FieldLink(DataSet* table, const FieldDef& def, int field, QComboBox* box, Guard guard,
            bool limit_length = true);
  ~FieldLink() override;

  // Changes the table the box follows (the inspector follows the active document); null
  // leaves the box empty and disabled.
  void SetTable(DataSet* table);
  int field() const { return field_; }
  QLineEdit* box() const { return box_; }
  // Writes typed text into the field now, as leaving the box does; shows a refusal and returns
  // false.
  bool Commit();
  // The same, raising a refusal.
  void WriteTypedText();
  // Shows the field's value again; typed text stays until the record changes.
  void Refresh(bool record_changed = true);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Setup(const FieldDef& def, bool limit_length);
  void FollowList(QComboBox* box);
  void OnTextEdited();
  void DataSetReset() override { Refresh(true); }
  void RowChanged(int) override { Refresh(false); }
  void CursorMoved(int) override { Refresh(!beginning_edit_); }
  void StateChanged(DataSetState) override { Refresh(false); }

  DataSet* table_;
  int field_;
  QPointer<QLineEdit> box_;
  Guard guard_;
  bool typed_ = false;
  bool writing_ = false;
  bool beginning_edit_ = false;
};

}  // namespace quillcast
