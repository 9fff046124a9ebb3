#include <gtest/gtest.h>

#include "common/Error.h"
#include "feed/DataSet.h"

namespace quillcast {
namespace {

enum { kName, kNumber, kFlag, kKey };

FieldDef Field(const char* name, FieldKind kind, int width, const char* label) {
  FieldDef def;
  def.name = name;
  def.kind = kind;
  def.width = width;
  def.label = label;
  return def;
}

std::vector<FieldDef> Fields() {
  return {Field("name", FieldKind::kText, 5, "Name"),
          Field("number", FieldKind::kInteger, 0, "Number"),
          Field("flag", FieldKind::kBoolean, 0, "Flag"), Field("key", FieldKind::kInteger, 0, "")};
}

Record Row(std::string name, std::int64_t key) {
  Record record;
  record.values = {std::move(name), {}, {}, key};
  return record;
}

// A table kept in descending order of "key", like the items newest first.
class IndexedTable : public ::testing::Test {
 protected:
  IndexedTable() {
    table_.hooks.index_key = [](const Record& record) {
      return -std::get<std::int64_t>(record.values[kKey]);
    };
  }

  std::string Names() const {
    std::string names;
    for (int row = 0; row < table_.RecordCount(); ++row) {
      names += (row ? "," : "") + table_.DisplayTextAt(row, kName);
    }
    return names;
  }

  DataSet table_{"T", Fields()};
};

TEST_F(IndexedTable, LoadSortsOnceAndEqualKeysKeepTheirOrder) {
  table_.LoadRecords({Row("a", 1), Row("b", 3), Row("c", 2), Row("d", 3)});
  EXPECT_EQ(Names(), "b,d,c,a");
  EXPECT_EQ(table_.RecNo(), 0);
  EXPECT_TRUE(table_.Bof());
  EXPECT_FALSE(table_.Eof());
}

TEST_F(IndexedTable, PostMovesTheRecordToItsPlaceAndTellsTheObservers) {
  struct Moves : DataSetObserver {
    std::vector<std::pair<int, int>> moved;
    void RowMoved(int from, int to) override { moved.emplace_back(from, to); }
  } observer;
  table_.AddObserver(&observer);
  table_.LoadRecords({Row("a", 40), Row("b", 30), Row("c", 20), Row("d", 10)});
  table_.MoveTo(3);
  table_.Edit();
  table_.SetValue(kKey, std::int64_t{35});
  EXPECT_EQ(Names(), "a,b,c,d") << "the edit buffer does not move the row";
  table_.Post();
  EXPECT_EQ(Names(), "a,d,b,c");
  EXPECT_EQ(table_.RecNo(), 1) << "the cursor follows the posted record";
  EXPECT_EQ(observer.moved, (std::vector<std::pair<int, int>>{{3, 1}}));

  table_.Edit();
  table_.SetText(kName, "e");
  table_.Post();
  EXPECT_EQ(Names(), "a,e,b,c") << "an unchanged key keeps its place among equals";
  EXPECT_EQ(observer.moved.size(), 1u);
  table_.RemoveObserver(&observer);
}

TEST_F(IndexedTable, InsertShowsTheNewRowBeforeTheCurrentOneUntilPost) {
  table_.LoadRecords({Row("a", 30), Row("b", 20), Row("c", 10)});
  table_.MoveTo(1);
  table_.Insert();
  EXPECT_EQ(table_.state(), DataSetState::kInsert);
  EXPECT_EQ(table_.RecNo(), 1);
  table_.SetText(kName, "new");
  table_.SetValue(kKey, std::int64_t{5});
  EXPECT_EQ(Names(), "a,new,b,c");
  table_.Post();
  EXPECT_EQ(Names(), "a,b,c,new");

  table_.Append();
  table_.Cancel();
  EXPECT_EQ(Names(), "a,b,c,new") << "a cancelled insertion leaves nothing";
}

TEST_F(IndexedTable, MovingPostsAChangedBufferAndCancelsAnUnchangedOne) {
  table_.LoadRecords({Row("a", 30), Row("b", 20)});
  table_.Insert();
  table_.Next();
  EXPECT_EQ(table_.RecordCount(), 2) << "unchanged insertion cancelled";
  table_.First();
  table_.Edit();
  table_.SetText(kName, "x");
  table_.Next();
  EXPECT_EQ(table_.state(), DataSetState::kBrowse);
  EXPECT_EQ(Names(), "x,b");
}

TEST_F(IndexedTable, RefusedPostKeepsTheBuffer) {
  table_.LoadRecords({Row("a", 1)});
  table_.hooks.before_post = [] { throw QuillError("refused"); };
  table_.Edit();
  table_.SetText(kName, "typed");
  EXPECT_THROW(table_.Post(), QuillError);
  EXPECT_EQ(table_.state(), DataSetState::kEdit);
  EXPECT_EQ(table_.DisplayText("name"), "typed");
  EXPECT_THROW(table_.Next(), QuillError) << "a move cannot leave a refused edit";
  table_.Cancel();
  EXPECT_EQ(table_.DisplayText("name"), "a");
}

TEST_F(IndexedTable, DeleteKeepsTheCursorOnTheNextRecord) {
  table_.LoadRecords({Row("a", 3), Row("b", 2), Row("c", 1)});
  table_.MoveTo(1);
  table_.Delete();
  EXPECT_EQ(Names(), "a,c");
  EXPECT_EQ(table_.RecNo(), 1);
  table_.Delete();
  EXPECT_EQ(table_.RecNo(), 0);
  table_.Delete();
  EXPECT_TRUE(table_.IsEmpty());
  EXPECT_TRUE(table_.Bof() && table_.Eof());
  EXPECT_THROW(table_.Delete(), QuillError);
}

TEST(DataSetCursorTest, EndFlagsFollowTheMoves) {
  DataSet table("T", Fields());
  table.Open();
  EXPECT_TRUE(table.Bof() && table.Eof()) << "an empty table sets both";
  table.LoadRecords({Row("a", 1), Row("b", 2), Row("c", 3)});

  const struct {
    const char* move;
    int rec_no;
    bool bof;
    bool eof;
  } steps[] = {
      {"open", 0, true, false},   {"prior", 0, true, false},  {"next", 1, false, false},
      {"next", 2, false, false},  {"next", 2, false, true},   {"next", 2, false, true},
      {"prior", 1, false, false}, {"first", 0, true, false},  {"last", 2, false, true},
      {"prior", 1, false, false}, {"prior", 0, false, false}, {"prior", 0, true, false},
  };
  for (const auto& step : steps) {
    const std::string move = step.move;
    if (move == "prior") table.Prior();
    if (move == "next") table.Next();
    if (move == "first") table.First();
    if (move == "last") table.Last();
    EXPECT_EQ(table.RecNo(), step.rec_no) << move;
    EXPECT_EQ(table.Bof(), step.bof) << move << " at " << step.rec_no;
    EXPECT_EQ(table.Eof(), step.eof) << move << " at " << step.rec_no;
  }
}

TEST(DataSetTextTest, TextEntryFollowsTheConversionRules) {
  DataSet table("T", Fields());
  table.Open();
  table.Insert();
  const struct {
    int field;
    const char* text;
    Value expected;
  } accepted[] = {
      {kName, "abcdefgh", std::string("abcde")},
      {kName, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
       std::string("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9")},
      {kName, "", Value{}},
      {kNumber, "12", std::int64_t{12}},
      {kNumber, "  -12", std::int64_t{-12}},
      {kNumber, "$1F", std::int64_t{31}},
      {kNumber, "0x10", std::int64_t{16}},
      {kNumber, "3000000000", std::int64_t{3000000000}},
      {kNumber, "-9223372036854775808", std::int64_t{INT64_MIN}},
      {kNumber, "", Value{}},
      {kFlag, "t", true},
      {kFlag, "tRuE", true},
      {kFlag, "f", false},
      {kFlag, "FA", false},
      {kFlag, "", Value{}},
  };
  for (const auto& c : accepted) {
    table.SetText(c.field, c.text);
    EXPECT_EQ(table.Get(c.field), c.expected) << c.text;
  }

  const struct {
    int field;
    const char* text;
    const char* message;
  } refused[] = {
      {kNumber, "12x", "'12x' is not a valid integer value for field 'Number'"},
      {kNumber, "12 ", "'12 ' is not a valid integer value for field 'Number'"},
      {kNumber, "9223372036854775808",
       "'9223372036854775808' is not a valid integer value for field 'Number'"},
      {kKey, "x", "'x' is not a valid integer value for field 'key'"},
      {kFlag, "x", "'x' is not a valid boolean value for field 'Flag'"},
      {kFlag, "Truth", "'Truth' is not a valid boolean value for field 'Flag'"},
  };
  table.SetText(kNumber, "7");
  for (const auto& c : refused) {
    try {
      table.SetText(c.field, c.text);
      ADD_FAILURE() << c.text << " was accepted";
    } catch (const QuillError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
  EXPECT_EQ(table.Get(kNumber), Value{std::int64_t{7}}) << "a refusal changes nothing";
}

TEST(DataSetTextTest, ValuesSetDirectlyAreNeverCut) {
  DataSet table("T", Fields());
  table.Open();
  table.Insert();
  table.SetValue(kName, std::string(300, 'x'));
  EXPECT_EQ(table.AsString("name").size(), 300u);
  EXPECT_THROW(table.FieldIndex("nope"), QuillError);
}

TEST(DataSetTextTest, WritingOutsideAnEditIsRefused) {
  DataSet table("T", Fields());
  table.LoadRecords({Row("a", 1)});
  EXPECT_THROW(table.SetText(kName, "b"), QuillError);
}

}  // namespace
}  // namespace quillcast
