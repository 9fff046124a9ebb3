#include "feed/ui/FieldLink.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "common/qt/QtText.h"

namespace quillcast {

FieldLink::FieldLink(DataSet& table, int field, QLineEdit* box, Guard guard)
    : QObject(box), table_(&table), field_(field), box_(box), guard_(std::move(guard)) {
  Setup(table.Field(field), true);
}

FieldLink::FieldLink(DataSet& table, int field, QComboBox* box, Guard guard)
    : QObject(box), table_(&table), field_(field), box_(box->lineEdit()), guard_(std::move(guard)) {
  Setup(table.Field(field), true);
  FollowList(box);
}

FieldLink::FieldLink(DataSet* table, const FieldDef& def, int field, QComboBox* box, Guard guard,
                     bool limit_length)
    : QObject(box), table_(table), field_(field), box_(box->lineEdit()), guard_(std::move(guard)) {
  Setup(def, limit_length);
  FollowList(box);
}

void FieldLink::FollowList(QComboBox* box) {
  // Choosing an entry of the list is typing it.
  connect(box, &QComboBox::textActivated, this, [this] {
    OnTextEdited();
    Commit();
  });
}

FieldLink::FieldLink(DataSet* table, const FieldDef& def, int field, QLineEdit* box, Guard guard,
                     bool limit_length)
    : QObject(box), table_(table), field_(field), box_(box), guard_(std::move(guard)) {
  Setup(def, limit_length);
}

FieldLink::~FieldLink() {
  if (table_ != nullptr) table_->RemoveObserver(this);
}

void FieldLink::Setup(const FieldDef& def, bool limit_length) {
  if (def.kind == FieldKind::kInteger) {
    // Integer boxes take digits and signs only.
    box_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9+-]*"), box_));
  } else if (limit_length && def.kind == FieldKind::kText && def.cut_to_width && def.width > 0) {
    box_->setMaxLength(def.width);
  }
  box_->installEventFilter(this);
  connect(box_, &QLineEdit::textEdited, this, &FieldLink::OnTextEdited);
  connect(box_, &QLineEdit::editingFinished, this, [this] { Commit(); });
  if (table_ != nullptr) table_->AddObserver(this);
  Refresh();
}

void FieldLink::SetTable(DataSet* table) {
  if (table == table_) return;
  if (table_ != nullptr) table_->RemoveObserver(this);
  table_ = table;
  typed_ = false;
  if (table_ != nullptr) table_->AddObserver(this);
  Refresh();
}

void FieldLink::Refresh(bool record_changed) {
  if (box_ == nullptr || writing_) return;
  if (table_ == nullptr) {
    box_->clear();
    box_->setEnabled(false);
    return;
  }
  box_->setEnabled(true);
  if (typed_ && !record_changed) return;  // never overwrite what the user is typing
  typed_ = false;
  const QString text = Q(table_->DisplayText(table_->Field(field_).name));
  if (box_->text() != text) {
    box_->setText(text);
    box_->setCursorPosition(0);  // a long value shows its beginning
  }
}

void FieldLink::OnTextEdited() {
  if (table_ == nullptr || typed_) return;
  typed_ = true;
  if (!table_->Editing()) {
    // Starting the edit may create the record; what was typed stays in the box.
    beginning_edit_ = true;
    const bool ok = guard_([this] { table_->Edit(); });
    beginning_edit_ = false;
    if (!ok) {
      typed_ = false;
      Refresh();
    }
  }
}

void FieldLink::WriteTypedText() {
  if (!typed_ || table_ == nullptr || box_ == nullptr) return;
  writing_ = true;
  try {
    if (!table_->Editing()) table_->Edit();
    table_->SetText(field_, S(box_->text()));
  } catch (...) {
    writing_ = false;
    throw;
  }
  writing_ = false;
  typed_ = false;
  Refresh();
}

bool FieldLink::Commit() {
  return guard_([this] { WriteTypedText(); });
}

bool FieldLink::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && typed_) {
    typed_ = false;
    Refresh();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quillcast
