#include "feed/DataSet.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>

#include "common/Ascii.h"
#include "common/Error.h"
#include "common/ResourceStr.h"
#include "common/Utf8.h"

namespace quillcast {
namespace {

const Value kNull{};

// A non-empty leading part of `word`, without regard to case.
bool IsLeadingPartOf(std::string_view text, std::string_view word) {
  if (text.empty() || text.size() > word.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (ascii::Lower(text[i]) != ascii::Lower(word[i])) return false;
  }
  return true;
}

// Leading blanks and a sign are allowed; "$" or "0x" reads hexadecimal digits. 64 bits.
bool ParseInteger(std::string_view text, std::int64_t& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (magnitude > kMax + (negative ? 1 : 0)) return false;
  value =
      negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

std::string LocalText(DateTime instant) {
  const auto t = DateTimeToLocal(instant);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return buffer;
}

}  // namespace

const ExtraXml::Part* ExtraXml::FindPart(std::string_view part_name) const {
  for (const auto& part : parts) {
    if (part.name == part_name) return &part;
  }
  return nullptr;
}

ExtraXml::Part& ExtraXml::PartFor(std::string_view part_name) {
  for (auto& part : parts) {
    if (part.name == part_name) return part;
  }
  parts.push_back({std::string(part_name), {}, {}});
  return parts.back();
}

DataSet::DataSet(std::string name, std::vector<FieldDef> fields)
    : name_(std::move(name)), fields_(std::move(fields)) {}

int DataSet::FieldIndex(std::string_view field_name) const {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].name == field_name) return static_cast<int>(i);
  }
  throw QuillError(Format(res::kFieldNotFound, {field_name}));
}

void DataSet::AddObserver(DataSetObserver* observer) { observers_.push_back(observer); }

void DataSet::RemoveObserver(DataSetObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void DataSet::Open() { LoadRecords(std::vector<std::unique_ptr<Record>>()); }

void DataSet::LoadRecords(std::vector<Record> records) {
  std::vector<std::unique_ptr<Record>> owned;
  owned.reserve(records.size());
  for (auto& record : records) owned.push_back(std::make_unique<Record>(std::move(record)));
  LoadRecords(std::move(owned));
}

void DataSet::LoadRecords(std::vector<std::unique_ptr<Record>> records) {
  Notify([](DataSetObserver& o) { o.BeforeReset(); });
  buffer_.reset();
  buffer_modified_ = false;
  records_ = std::move(records);
  for (auto& record : records_) {
    record->values.resize(fields_.size());
    record->seq = next_load_seq_++;
    Calculate(*record);
  }
  if (hooks.index_key) {
    std::sort(records_.begin(), records_.end(),
              [this](const auto& a, const auto& b) { return Before(*a, *b); });
  }
  current_ = 0;
  bof_ = true;
  eof_ = records_.empty();
  state_ = DataSetState::kBrowse;
  Notify([](DataSetObserver& o) { o.DataSetReset(); });
  if (hooks.after_open) hooks.after_open();
}

void DataSet::RequireActive() const {
  if (state_ == DataSetState::kInactive) throw QuillError(res::kDataSetClosed);
}

Record* DataSet::EditTarget() {
  if (state_ == DataSetState::kEdit) return buffer_.get();
  if (state_ == DataSetState::kInsert) return records_[static_cast<size_t>(current_)].get();
  return nullptr;
}

const Record* DataSet::EditTarget() const { return const_cast<DataSet*>(this)->EditTarget(); }

void DataSet::SetState(DataSetState state) {
  if (state_ == state) return;
  state_ = state;
  Notify([state](DataSetObserver& o) { o.StateChanged(state); });
}

void DataSet::Calculate(Record& record) {
  if (hooks.calculate_fields) hooks.calculate_fields(record);
  if (hooks.index_key) record.index_key = hooks.index_key(record);
}

bool DataSet::Before(const Record& a, const Record& b) const {
  if (a.index_key != b.index_key) return a.index_key < b.index_key;
  return a.seq < b.seq;
}

int DataSet::Reposition(int row) {
  if (!hooks.index_key) return row;
  const auto at = static_cast<size_t>(row);
  const Record& record = *records_[at];
  const bool after_prev = at == 0 || Before(*records_[at - 1], record);
  const bool before_next = at + 1 == records_.size() || Before(record, *records_[at + 1]);
  if (after_prev && before_next) return row;
  // One binary search among the others, then one rotation over the rows in between.
  const auto before = [this](const auto& a, const auto& b) { return Before(*a, *b); };
  const auto begin = records_.begin();
  const auto here = begin + static_cast<std::ptrdiff_t>(at);
  int to;
  if (!after_prev) {
    const auto place = std::lower_bound(begin, here, *here, before);
    to = static_cast<int>(place - begin);
    Notify([row, to](DataSetObserver& o) { o.BeforeRowMoved(row, to); });
    std::rotate(place, here, here + 1);
  } else {
    const auto place = std::lower_bound(here + 1, records_.end(), *here, before);
    to = static_cast<int>(place - begin) - 1;
    Notify([row, to](DataSetObserver& o) { o.BeforeRowMoved(row, to); });
    std::rotate(here, here + 1, place);
  }
  Notify([row, to](DataSetObserver& o) { o.RowMoved(row, to); });
  return to;
}

void DataSet::ResetFlagsAfterChange() {
  bof_ = records_.empty();
  eof_ = records_.empty();
  if (current_ >= RecordCount()) current_ = std::max(0, RecordCount() - 1);
}

void DataSet::First() {
  RequireActive();
  CheckBrowseMode();
  current_ = 0;
  bof_ = true;
  eof_ = records_.empty();
  Notify([this](DataSetObserver& o) { o.CursorMoved(RecNo()); });
}

void DataSet::Last() {
  RequireActive();
  CheckBrowseMode();
  current_ = std::max(0, RecordCount() - 1);
  eof_ = true;
  bof_ = records_.empty();
  Notify([this](DataSetObserver& o) { o.CursorMoved(RecNo()); });
}

void DataSet::MoveBy(int distance) {
  RequireActive();
  CheckBrowseMode();
  if (distance == 0 || records_.empty()) return;
  if ((distance > 0 && eof_) || (distance < 0 && bof_)) return;
  bof_ = false;
  eof_ = false;
  const int last = RecordCount() - 1;
  int target = current_ + distance;
  if (target > last) {
    target = last;
    eof_ = true;
  } else if (target < 0) {
    target = 0;
    bof_ = true;
  }
  const bool moved = target != current_;
  current_ = target;
  if (moved) Notify([this](DataSetObserver& o) { o.CursorMoved(current_); });
}

void DataSet::Edit() {
  RequireActive();
  if (Editing()) return;
  if (records_.empty()) {
    Insert();
    return;
  }
  if (hooks.before_edit) hooks.before_edit();
  buffer_ = std::make_unique<Record>(*records_[static_cast<size_t>(current_)]);
  buffer_modified_ = false;
  SetState(DataSetState::kEdit);
}

void DataSet::Insert() {
  RequireActive();
  CheckBrowseMode();
  BeginInsert(records_.empty() ? 0 : static_cast<size_t>(current_));
}

void DataSet::Append() {
  RequireActive();
  CheckBrowseMode();
  BeginInsert(records_.size());
}

void DataSet::BeginInsert(size_t at) {
  if (hooks.before_edit) hooks.before_edit();
  auto record = std::make_unique<Record>();
  record->values.resize(fields_.size());
  Notify([at](DataSetObserver& o) { o.BeforeRowInserted(static_cast<int>(at)); });
  records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
  current_ = static_cast<int>(at);
  bof_ = false;
  eof_ = false;
  Notify([this](DataSetObserver& o) { o.RowInserted(current_); });
  SetState(DataSetState::kInsert);
  Notify([this](DataSetObserver& o) { o.CursorMoved(current_); });
  if (hooks.on_new_record) {
    try {
      hooks.on_new_record();
    } catch (...) {
      Cancel();
      throw;
    }
  }
  buffer_modified_ = false;
}

void DataSet::Post() {
  RequireActive();
  if (!Editing()) return;
  if (hooks.before_post) hooks.before_post();
  const Record& target = *EditTarget();
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].required && std::holds_alternative<std::monostate>(target.values[i])) {
      throw QuillError(Format(res::kFieldMustHaveValue, {fields_[i].DisplayLabel()}));
    }
  }
  Record& stored = *records_[static_cast<size_t>(current_)];
  if (state_ == DataSetState::kEdit) {
    stored = std::move(*buffer_);
    buffer_.reset();
  } else {
    stored.seq = next_post_seq_--;
  }
  Calculate(stored);
  buffer_modified_ = false;
  current_ = Reposition(current_);
  ResetFlagsAfterChange();
  SetState(DataSetState::kBrowse);
  Notify([this](DataSetObserver& o) { o.RowChanged(current_); });
  Notify([this](DataSetObserver& o) { o.CursorMoved(current_); });
  if (hooks.after_post) hooks.after_post();
}

void DataSet::Cancel() {
  RequireActive();
  if (state_ == DataSetState::kEdit) {
    buffer_.reset();
    buffer_modified_ = false;
    SetState(DataSetState::kBrowse);
    Notify([this](DataSetObserver& o) { o.RowChanged(current_); });
  } else if (state_ == DataSetState::kInsert) {
    const int row = current_;
    Notify([row](DataSetObserver& o) { o.BeforeRowRemoved(row); });
    records_.erase(records_.begin() + row);
    buffer_modified_ = false;
    ResetFlagsAfterChange();
    Notify([row](DataSetObserver& o) { o.RowRemoved(row); });
    SetState(DataSetState::kBrowse);
    Notify([this](DataSetObserver& o) { o.CursorMoved(RecNo()); });
  }
}

void DataSet::Delete() {
  RequireActive();
  if (state_ == DataSetState::kInsert) {
    Cancel();
    return;
  }
  if (records_.empty()) throw QuillError(res::kDataSetEmpty);
  if (hooks.before_delete) hooks.before_delete();
  if (state_ == DataSetState::kEdit) {
    buffer_.reset();
    buffer_modified_ = false;
    SetState(DataSetState::kBrowse);
  }
  const int row = current_;
  Notify([row](DataSetObserver& o) { o.BeforeRowRemoved(row); });
  records_.erase(records_.begin() + row);
  ResetFlagsAfterChange();
  Notify([row](DataSetObserver& o) { o.RowRemoved(row); });
  Notify([this](DataSetObserver& o) { o.CursorMoved(RecNo()); });
  if (hooks.after_delete) hooks.after_delete();
}

void DataSet::CheckBrowseMode() {
  if (!Editing()) return;
  if (buffer_modified_) {
    Post();
  } else {
    Cancel();
  }
}

const Value& DataSet::Get(int field) const {
  if (records_.empty()) return kNull;
  return RecordAt(current_).values.at(static_cast<size_t>(field));
}

bool DataSet::IsNull(std::string_view field_name) const {
  return std::holds_alternative<std::monostate>(Get(field_name));
}

std::string DataSet::ValueToText(const Value& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (const auto* instant = std::get_if<DateTime>(&value)) return LocalText(*instant);
  return {};
}

std::string DataSet::AsString(std::string_view field_name) const {
  const int field = FieldIndex(field_name);
  return ValueToText(Get(field));
}

std::string DataSet::DisplayText(std::string_view field_name) const {
  if (records_.empty()) return {};
  return DisplayTextAt(current_, FieldIndex(field_name));
}

Value DataSet::TextToValue(int field, std::string_view text) const {
  const FieldDef& def = Field(field);
  if (def.set_text) return def.set_text(text);
  if (text.empty()) return {};
  switch (def.kind) {
    case FieldKind::kText:
      if (def.cut_to_width && def.width > 0) {
        return std::string(utf8::Left(text, static_cast<size_t>(def.width)));
      }
      return std::string(text);
    case FieldKind::kInteger: {
      std::int64_t number = 0;
      if (!ParseInteger(text, number)) {
        throw QuillError(Format(res::kInvalidInteger, {text, def.DisplayLabel()}));
      }
      return number;
    }
    case FieldKind::kBoolean:
      if (IsLeadingPartOf(text, "False")) return false;
      if (IsLeadingPartOf(text, "True")) return true;
      throw QuillError(Format(res::kInvalidBoolean, {text, def.DisplayLabel()}));
    case FieldKind::kDateTime: {
      const auto instant = ParseRSSDate(text);
      if (!instant) {
        throw QuillError(Format(res::kInvalidDateTime, {text}));
      }
      return *instant;
    }
  }
  return {};
}

void DataSet::SetText(std::string_view field_name, std::string_view text) {
  SetText(FieldIndex(field_name), text);
}

void DataSet::SetText(int field, std::string_view text) {
  SetValue(field, TextToValue(field, text));
}

void DataSet::SetValue(std::string_view field_name, Value value) {
  SetValue(FieldIndex(field_name), std::move(value));
}

void DataSet::SetValue(int field, Value value) {
  Record* target = EditTarget();
  if (target == nullptr) throw QuillError(res::kNotEditing);
  target->values.at(static_cast<size_t>(field)) = std::move(value);
  buffer_modified_ = true;
  Notify([this](DataSetObserver& o) { o.RowChanged(current_); });
}

const ExtraXml& DataSet::Extra() const {
  static const ExtraXml kNone;
  if (records_.empty()) return kNone;
  return RecordAt(current_).extra;
}

void DataSet::SetExtra(ExtraXml extra) {
  Record* target = EditTarget();
  if (target == nullptr) throw QuillError(res::kNotEditing);
  target->extra = std::move(extra);
  buffer_modified_ = true;
}

const Record& DataSet::RecordAt(int row) const {
  if (row == current_ && state_ == DataSetState::kEdit) return *buffer_;
  return *records_.at(static_cast<size_t>(row));
}

const Value& DataSet::ValueAt(int row, int field) const {
  return RecordAt(row).values.at(static_cast<size_t>(field));
}

std::string DataSet::DisplayTextAt(int row, int field) const {
  const Value& value = ValueAt(row, field);
  const FieldDef& def = Field(field);
  if (def.get_text) return def.get_text(value);
  return ValueToText(value);
}

}  // namespace quillcast
