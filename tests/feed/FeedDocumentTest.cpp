#include <gtest/gtest.h>

#include "common/Error.h"
#include "feed/FeedDocument.h"

namespace quillcast {
namespace {

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const QuillError& error) {
    return error.what();
  }
  return "(no error)";
}

void DefineChannel(FeedDocument& doc) {
  auto& channel = doc.RSSCDS();
  channel.Edit();
  channel.SetText("title", "A feed");
  channel.SetText("link", "http://example.org/");
  channel.SetText("description", "About things");
}

void AddItem(FeedDocument& doc, const char* title, const char* pub_date) {
  auto& items = doc.ItemCDS();
  items.Append();
  items.SetText("title", title);
  if (pub_date != nullptr) items.SetText("pubDate", pub_date);
  items.Post();
}

std::string Titles(const FeedDocument& doc) {
  std::string titles;
  for (int row = 0; row < doc.ItemCDS().RecordCount(); ++row) {
    titles += (row ? "," : "") + doc.ItemCDS().DisplayTextAt(row, kItTitle);
  }
  return titles;
}

TEST(FeedDocumentTest, ANewDocumentRefusesItemsUntilTheChannelIsDefined) {
  FeedDocument doc;
  EXPECT_EQ(Message([&] { doc.ItemCDS().Append(); }),
            "Before adding items you must define channel!");
  EXPECT_EQ(doc.ItemCDS().RecordCount(), 0) << "the insertion was undone";
  EXPECT_EQ(doc.RSSCDS().state(), DataSetState::kInsert);
  EXPECT_EQ(doc.RSSCDS().AsString("version"), "2.0");
  EXPECT_EQ(doc.RSSCDS().AsString("generator"), "Orvel Quillcast 1.0");
  EXPECT_FALSE(doc.Modified());
  EXPECT_TRUE(doc.HasUnsavedChanges()) << "an open channel edit counts as a change";

  for (const char* missing : {"title", "link", "description"}) {
    FeedDocument partial;
    DefineChannel(partial);
    partial.RSSCDS().SetText(missing, "");
    EXPECT_EQ(Message([&] { partial.ItemCDS().Append(); }),
              "Before adding items you must define channel!")
        << missing;
  }
}

TEST(FeedDocumentTest, ItemsAreAcceptedBeforeTheChannelIsPosted) {
  FeedDocument doc;
  int count = -1;
  doc.on_item_count_changed = [&](int n) { count = n; };
  DefineChannel(doc);
  AddItem(doc, "first", nullptr);
  EXPECT_EQ(doc.ItemCDS().RecordCount(), 1);
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(doc.RSSCDS().state(), DataSetState::kInsert) << "the item post does not post it";
  doc.EndPendingEdits();
  EXPECT_EQ(doc.RSSCDS().state(), DataSetState::kBrowse);
}

TEST(FeedDocumentTest, CheckChannelTestsTitleLinkDescriptionInOrder) {
  const struct {
    const char* title;
    const char* link;
    const char* description;
    const char* missing;
  } cases[] = {{"", "", "", "Title"},
               {"", "l", "d", "Title"},
               {"t", "", "", "Link"},
               {"t", "l", "", "Description"}};
  for (const auto& c : cases) {
    FeedDocument doc;
    auto& channel = doc.RSSCDS();
    channel.Edit();
    channel.SetText("title", c.title);
    channel.SetText("link", c.link);
    channel.SetText("description", c.description);
    EXPECT_EQ(Message([&] { channel.Post(); }),
              std::string("Channel field \"") + c.missing + "\" is required!");
    EXPECT_EQ(channel.state(), DataSetState::kInsert) << "the buffer stays";
  }
}

TEST(FeedDocumentTest, ChannelWithoutVersionIsRefused) {
  FeedDocument doc;
  DefineChannel(doc);
  doc.RSSCDS().SetText("version", "");
  EXPECT_EQ(Message([&] { doc.RSSCDS().Post(); }), "Field 'version' must have a value");
  doc.RSSCDS().SetText("version", "2.0");
  doc.RSSCDS().Post();
  EXPECT_TRUE(doc.Modified());
}

TEST(FeedDocumentTest, ItemsAreKeptNewestFirst) {
  FeedDocument doc;
  DefineChannel(doc);
  AddItem(doc, "2004", "Mon, 05 Jan 2004 13:45:07 GMT");
  AddItem(doc, "2006", "Thu, 05 Jan 2006 13:45:07 GMT");
  AddItem(doc, "2005", "Wed, 05 Jan 2005 13:45:07 +0000");
  EXPECT_EQ(Titles(doc), "2006,2005,2004");
  AddItem(doc, "undated", nullptr);
  EXPECT_EQ(Titles(doc), "undated,2006,2005,2004") << "no date reads as now";
  AddItem(doc, "bad date", "someday");
  EXPECT_EQ(Titles(doc), "bad date,undated,2006,2005,2004");

  auto& items = doc.ItemCDS();
  items.Last();
  items.Edit();
  items.SetText("pubDate", "Fri, 05 Jan 2007 00:00:00 GMT");
  items.Post();
  EXPECT_EQ(Titles(doc), "bad date,undated,2004,2006,2005");
  EXPECT_EQ(items.DisplayText("title"), "2004");
}

TEST(FeedDocumentTest, DeletingAnItemSetsModifiedAndTheCount) {
  FeedDocument doc;
  DefineChannel(doc);
  AddItem(doc, "a", nullptr);
  doc.SetModified(false);
  int count = -1;
  doc.on_item_count_changed = [&](int n) { count = n; };
  doc.ItemCDS().Delete();
  EXPECT_TRUE(doc.Modified());
  EXPECT_EQ(count, 0);
}

TEST(FeedDocumentTest, FieldTextRules) {
  FeedDocument doc;
  DefineChannel(doc);
  auto& channel = doc.RSSCDS();
  EXPECT_EQ(Message([&] { channel.SetText("ttl", "12x"); }),
            "'12x' is not a valid integer value for field 'ttl'");
  channel.SetText("title", std::string(300, 't'));
  EXPECT_EQ(channel.AsString("title").size(), 255u);
  channel.SetText("skipDays", "Monday, Sunday");
  EXPECT_EQ(channel.AsString("skipDays"), "<day>Monday</day><day>Sunday</day>");
  EXPECT_EQ(channel.DisplayText("skipDays"), "Monday,Sunday");

  std::string all_hours;
  for (int h = 0; h < 24; ++h) all_hours += std::to_string(h) + ",";
  channel.SetText("skipHours", all_hours.substr(0, all_hours.size() - 1));
  EXPECT_EQ(channel.DisplayText("skipHours"), all_hours.substr(0, all_hours.size() - 1))
      << "a skip list is never cut to its width";
  channel.Post();

  auto& items = doc.ItemCDS();
  items.Append();
  items.SetText("source", "12345678901234567890");
  EXPECT_EQ(items.AsString("source"), "123456789012345");
  EXPECT_EQ(Message([&] { items.SetText("isPermaLink", "x"); }),
            "'x' is not a valid boolean value for field 'Perma link'");
  items.SetText("isPermaLink", "t");
  EXPECT_EQ(items.DisplayText("isPermaLink"), "True");
  items.SetText("length", "3000000000");
  EXPECT_EQ(items.AsString("length"), "3000000000") << "enclosures over 2 GiB keep their length";
}

}  // namespace
}  // namespace quillcast
