#include <gtest/gtest.h>

#include "feed/FeedFile.h"
#include "feed/FeedTestUtil.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using namespace std::string_literals;
using testing::ErrorOf;
using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr char kFeed[] =
    "<rss version=\"2.0\"><channel><title>T</title><link>L</link><description>D</description>"
    "<item><title>I</title></item></channel></rss>";

TEST(FeedFileTest, ReadingMakesEveryLineBreakCrLfAndStopsAtNul) {
  TempDir dir;
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
      {"a\r\n", "a\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"},
      {"", ""},
      {"ab\0cd"s, "ab\r\n"},
      {"\xFF\xFE"
       "a\0\n\0b\0"s,
       "a\r\nb\r\n"},
  };
  for (const auto& c : cases) {
    const std::string path = dir.File("in.xml");
    WriteFile(path, c.bytes);
    EXPECT_EQ(ReadFeedFile(path), c.text);
  }
}

TEST(FeedFileTest, UnreadableFileGivesTheSystemsReason) {
  TempDir dir;
  const std::string missing = dir.File("missing.xml");
  EXPECT_EQ(ErrorOf([&] { ReadFeedFile(missing); }),
            "Cannot open file \"" + missing + "\". No such file or directory.");
  EXPECT_EQ(ErrorOf([&] { ReadFeedFile(dir.path()); }),
            "Cannot open file \"" + dir.path() + "\". Is a directory.");
}

TEST(FeedFileTest, Utf16FileWithAMarkOpens) {
  TempDir dir;
  std::string bytes = "\xFF\xFE"s;
  for (char c : "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"s + kFeed) {
    bytes += c;
    bytes += '\0';
  }
  WriteFile(dir.File("wide.xml"), bytes);
  FeedDocument doc;
  LoadFeedFile(doc, dir.File("wide.xml"));
  EXPECT_EQ(doc.ItemCDS().RecordCount(), 1);
}

TEST(FeedFileTest, SavingWritesCrLfLinesAndClearsModified) {
  TempDir dir;
  WriteFeedFile(dir.File("lines.xml"), "one\ntwo\rthree\r\n");
  EXPECT_EQ(ReadFile(dir.File("lines.xml")), "one\r\ntwo\r\nthree\r\n");
  WriteFeedFile(dir.File("empty.xml"), "");
  EXPECT_EQ(ReadFile(dir.File("empty.xml")), "");

  auto doc = testing::Load(kFeed);
  doc->RSSCDS().Edit();
  doc->RSSCDS().SetText("title", "Changed");
  doc->RSSCDS().Post();
  ASSERT_TRUE(doc->Modified());
  SaveFeedFile(*doc, dir.File("out.xml"));
  EXPECT_FALSE(doc->Modified());
  FeedDocument reopened;
  LoadFeedFile(reopened, dir.File("out.xml"));
  EXPECT_EQ(reopened.RSSCDS().AsString("title"), "Changed");
  EXPECT_EQ(GetRSSText(reopened), ReadFile(dir.File("out.xml"))) << "save then open is stable";
}

TEST(FeedFileTest, FailedSaveLeavesThePreviousFileAndModified) {
  TempDir dir;
  const std::string blocker = dir.File("plain");
  WriteFile(blocker, "x");
  auto doc = testing::Load(kFeed);
  doc->SetModified(true);
  const std::string target = blocker + "/feed.xml";
  EXPECT_EQ(ErrorOf([&] { SaveFeedFile(*doc, target); }),
            "Cannot create file \"" + target + "\". Not a directory.");
  EXPECT_TRUE(doc->Modified());

  const std::string existing = dir.File("feed.xml");
  WriteFile(existing, "previous");
  ::chmod(dir.path().c_str(), 0500);
  if (::geteuid() != 0) {
    EXPECT_NE(ErrorOf([&] { SaveFeedFile(*doc, existing); }), "(no error)");
    EXPECT_EQ(ReadFile(existing), "previous");
  }
  ::chmod(dir.path().c_str(), 0700);
  EXPECT_EQ(ListFolder(dir.path()), "feed.xml plain");
}

}  // namespace
}  // namespace quillcast
