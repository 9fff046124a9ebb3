// A generic in-memory table with a cursor, the model under every view of a feed.
//
// Records are kept in index order (when the table has an index) so that the cursor, the grid
// and the writer all walk the same sequence without sorting again. Edits go through a buffer
// for the current record until Post or Cancel; every change is reported to the observers.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "feed/RSSUtils.h"

namespace quillcast {

enum class FieldKind { kText, kInteger, kBoolean, kDateTime };

// A null field holds std::monostate.
using Value = std::variant<std::monostate, std::string, std::int64_t, bool, DateTime>;

struct FieldDef {
  std::string name;
  FieldKind kind = FieldKind::kText;
  int width = 0;      // the most characters text typed into the field keeps
  std::string label;  // the display label; empty when the name serves
  bool required = false;
  bool calculated = false;
  bool cut_to_width = true;
  // Optional display and entry hooks: the text shown for a stored value, and the value stored
  // for typed text.
  std::function<std::string(const Value&)> get_text;
  std::function<Value(std::string_view)> set_text;

  const std::string& DisplayLabel() const { return label.empty() ? name : label; }
};

// The XML of a record that no field maps, kept so that writing loses nothing. It is not a
// column, is never searched, and travels with a copied record.
struct ExtraXml {
  // Attributes of the record's own element, as ` name="value"` text.
  std::string attributes;
  // Child elements no field maps, serialised and indented for their place, each line ended by
  // CR LF, one after the other in file order.
  std::string elements;
  // The order of the record's children in the file, so that saving keeps it: an entry with
  // kMappedElement set names the mapped element of that group index, any other entry is the end
  // offset in `elements` of the next unmapped element. Empty for records made in the editor.
  std::vector<std::uint64_t> layout;
  static constexpr std::uint64_t kMappedElement = 1ull << 63;
  // Attributes and children found on a mapped element (image, enclosure, guid ...).
  struct Part {
    std::string name;
    std::string attributes;
    std::string elements;
    friend bool operator==(const Part&, const Part&) = default;
  };
  std::vector<Part> parts;

  bool empty() const {
    return attributes.empty() && elements.empty() && layout.empty() && parts.empty();
  }
  const Part* FindPart(std::string_view name) const;
  Part& PartFor(std::string_view name);
  friend bool operator==(const ExtraXml&, const ExtraXml&) = default;
};

struct Record {
  std::vector<Value> values;
  ExtraXml extra;
  std::int64_t index_key = 0;
  // Breaks ties in the index: loaded records keep their file order, and a newly posted record
  // comes before the records whose keys equal its own.
  std::int64_t seq = 0;
};

enum class DataSetState { kInactive, kBrowse, kEdit, kInsert };

// Told of every change, so a view can follow without polling or resetting. Changes to the
// rows are announced before and after, as item models need.
class DataSetObserver {
 public:
  virtual ~DataSetObserver() = default;
  virtual void BeforeReset() {}
  virtual void DataSetReset() {}
  virtual void BeforeRowInserted(int /*row*/) {}
  virtual void RowInserted(int /*row*/) {}
  virtual void BeforeRowRemoved(int /*row*/) {}
  virtual void RowRemoved(int /*row*/) {}
  // `to` is the row the record has once moved.
  virtual void BeforeRowMoved(int /*from*/, int /*to*/) {}
  virtual void RowMoved(int /*from*/, int /*to*/) {}
  virtual void RowChanged(int /*row*/) {}
  virtual void CursorMoved(int /*row*/) {}
  virtual void StateChanged(DataSetState /*state*/) {}
};

class DataSet {
 public:
  struct Hooks {
    std::function<void()> before_edit;  // before Edit, Insert or Append open a buffer
    std::function<void()> on_new_record;
    std::function<void()> before_post;
    std::function<void()> after_post;
    std::function<void()> before_delete;
    std::function<void()> after_delete;
    std::function<void()> after_open;
    std::function<void(Record&)> calculate_fields;
    // The index: records are kept in ascending order of this key, computed when a record is
    // stored; records with equal keys keep their arrival order.
    std::function<std::int64_t(const Record&)> index_key;
  };
  Hooks hooks;

  DataSet(std::string name, std::vector<FieldDef> fields);
  DataSet(const DataSet&) = delete;
  DataSet& operator=(const DataSet&) = delete;

  const std::string& name() const { return name_; }
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  const FieldDef& Field(int index) const { return fields_.at(static_cast<size_t>(index)); }
  // Raises "Field '%s' not found" for a name the table does not have.
  int FieldIndex(std::string_view field_name) const;

  void AddObserver(DataSetObserver* observer);
  void RemoveObserver(DataSetObserver* observer);

  // Opening makes an empty table ready; LoadRecords replaces the whole content, computes the
  // calculated fields, sorts once and puts the cursor on the first record.
  void Open();
  void LoadRecords(std::vector<Record> records);
  void LoadRecords(std::vector<std::unique_ptr<Record>> records);
  DataSetState state() const { return state_; }
  bool Editing() const { return state_ == DataSetState::kEdit || state_ == DataSetState::kInsert; }

  int RecordCount() const { return static_cast<int>(records_.size()); }
  bool IsEmpty() const { return records_.empty(); }
  // The current row in index order, -1 when the table is empty.
  int RecNo() const { return records_.empty() ? -1 : current_; }
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }

  // Cursor moves post a changed edit buffer first and cancel an unchanged one.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  void MoveBy(int distance);
  void MoveTo(int row) { MoveBy(row - RecNo()); }

  void Edit();
  void Insert();
  void Append();
  void Post();
  void Cancel();
  void Delete();
  // Ends a pending edit: posts a changed buffer, cancels an unchanged one.
  void CheckBrowseMode();
  // True when the edit buffer was changed since Edit or Insert.
  bool BufferModified() const { return buffer_modified_; }

  // The current record's fields; the edit buffer while one is open. An empty table reads null.
  const Value& Get(int field) const;
  const Value& Get(std::string_view field_name) const { return Get(FieldIndex(field_name)); }
  bool IsNull(std::string_view field_name) const;
  // The stored text of a field: text as stored, numbers in decimal, "True"/"False".
  std::string AsString(std::string_view field_name) const;
  // The text a view shows, through the field's display hook.
  std::string DisplayText(std::string_view field_name) const;

  // Entry through text, as a person types it: widths cut, numbers and Booleans checked.
  void SetText(std::string_view field_name, std::string_view text);
  void SetText(int field, std::string_view text);
  // Stores a value as it is (a file's content is never cut).
  void SetValue(std::string_view field_name, Value value);
  void SetValue(int field, Value value);
  const ExtraXml& Extra() const;
  void SetExtra(ExtraXml extra);

  // Any row, the edit buffer for the current one.
  const Record& RecordAt(int row) const;
  const Value& ValueAt(int row, int field) const;
  std::string DisplayTextAt(int row, int field) const;

  // The value that typed text gives a field, or the field's refusal.
  Value TextToValue(int field, std::string_view text) const;
  static std::string ValueToText(const Value& value);

 private:
  void RequireActive() const;
  Record* EditTarget();
  const Record* EditTarget() const;
  void BeginInsert(size_t at);
  void SetState(DataSetState state);
  void Calculate(Record& record);
  bool Before(const Record& a, const Record& b) const;
  // Moves the record at `row` to its place in the index; returns its new row.
  int Reposition(int row);
  void ResetFlagsAfterChange();
  template <typename F>
  void Notify(F&& f) {
    for (auto* observer : observers_) f(*observer);
  }

  std::string name_;
  std::vector<FieldDef> fields_;
  std::vector<std::unique_ptr<Record>> records_;
  std::unique_ptr<Record> buffer_;  // the edit buffer in edit state
  DataSetState state_ = DataSetState::kInactive;
  int current_ = 0;
  bool bof_ = true;
  bool eof_ = true;
  bool buffer_modified_ = false;
  std::int64_t next_load_seq_ = 0;
  std::int64_t next_post_seq_ = -1;
  std::vector<DataSetObserver*> observers_;
};

}  // namespace quillcast
