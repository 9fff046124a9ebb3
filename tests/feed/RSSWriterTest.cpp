#include <gtest/gtest.h>

#include "feed/FeedTestUtil.h"
#include "feed/RSSWriter.h"

namespace quillcast {
namespace {

using testing::ErrorOf;
using testing::Lf;
using testing::Load;
using testing::Rewrite;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RSSWriterTest, LayoutIsDeclarationIndentationAndCrLf) {
  const std::string out = Rewrite(
      "<rss version=\"2.0\"><channel><title>T</title><link>http://e/</link>"
      "<description>  two\n  lines  </description><image><url>http://e/i.png</url>"
      "</image><item><title>I</title><enclosure url=\"http://e/a.mp3\" length=\"5\" "
      "type=\"audio/mpeg\"/></item></channel></rss>");
  EXPECT_EQ(Lf(out),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<rss version=\"2.0\">\n"
            "  <channel>\n"
            "    <title>T</title>\n"
            "    <link>http://e/</link>\n"
            "    <description>  two\n  lines  </description>\n"
            "    <image>\n"
            "      <url>http://e/i.png</url>\n"
            "    </image>\n"
            "    <item>\n"
            "      <title>I</title>\n"
            "      <enclosure url=\"http://e/a.mp3\" length=\"5\" type=\"audio/mpeg\" />\n"
            "    </item>\n"
            "  </channel>\n"
            "</rss>\n");
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\n') {
      ASSERT_EQ(out[i - 1], '\r') << "at " << i;
    }
  }
}

TEST(RSSWriterTest, NullFieldsLeaveNoElementOrAttribute) {
  FeedDocument doc;
  auto& channel = doc.RSSCDS();
  channel.Edit();
  channel.SetText("title", "T");
  channel.SetText("link", "http://e/");
  channel.SetText("description", "D");
  channel.SetText("category_domain", "http://cats/");
  channel.Post();
  auto& items = doc.ItemCDS();
  items.Append();
  items.SetText("guid", "g-1");
  items.SetText("domain", "http://tags/");
  items.Post();
  const std::string out = GetRSSText(doc);
  for (const char* absent : {"<image", "<cloud", "<enclosure", "<textInput", "isPermaLink",
                             "<skipDays", "<skipHours", "=\"\""}) {
    EXPECT_FALSE(Contains(out, absent)) << absent << " in\n" << out;
  }
  EXPECT_TRUE(Contains(out, "<guid>g-1</guid>")) << out;
  EXPECT_TRUE(Contains(out, "<category domain=\"http://tags/\" />")) << out;
  EXPECT_TRUE(Contains(out, "<category domain=\"http://cats/\" />")) << out;
  EXPECT_TRUE(Contains(out, "<generator>Orvel Quillcast 1.0</generator>")) << out;
}

TEST(RSSWriterTest, SkipListsAreWrittenAsMarkup) {
  FeedDocument doc;
  auto& channel = doc.RSSCDS();
  channel.Edit();
  channel.SetText("title", "T");
  channel.SetText("link", "L");
  channel.SetText("description", "D");
  channel.SetText("skipDays", "Saturday,Sunday");
  std::string hours;
  for (int h = 0; h < 24; ++h) hours += (h ? "," : "") + std::to_string(h);
  channel.SetText("skipHours", hours);
  const std::string out = GetRSSText(doc);
  EXPECT_TRUE(Contains(out, "<skipDays><day>Saturday</day><day>Sunday</day></skipDays>")) << out;
  EXPECT_TRUE(Contains(out, "<hour>0</hour><hour>1</hour>")) << out;
  EXPECT_TRUE(Contains(out, "<hour>23</hour></skipHours>")) << out;
  auto again = Load(out);
  EXPECT_EQ(again->RSSCDS().DisplayText("skipHours"), hours);
}

TEST(RSSWriterTest, IndentedSkipListsSurviveARoundTrip) {
  const std::string feed =
      "<rss version=\"2.0\"><channel><title>t</title><skipHours>\n"
      "  <hour>1</hour>\n  <hour>2</hour>\n</skipHours></channel></rss>";
  const std::string once = Rewrite(feed);
  EXPECT_TRUE(Contains(Lf(once), "<skipHours>\n  <hour>1</hour>\n  <hour>2</hour>\n</skipHours>"))
      << once;
  EXPECT_EQ(Rewrite(once), once);
}

TEST(RSSWriterTest, SkipListsKeepTheirReferencesAndAreAlwaysWrittenWellFormed) {
  const struct {
    const char* list;     // in the file
    const char* written;  // in the saved file
    const char* display;  // the values as shown
  } cases[] = {
      {"<day>A&amp;B</day><day>C</day>", "<day>A&amp;B</day><day>C</day>", "A&B,C"},
      {"<day>&lt;b&gt;</day>", "<day>&lt;b&gt;</day>", "<b>"},
      {"<day>&#77;onday</day>", "<day>&#77;onday</day>", "Monday"},
      {"<day>a>b</day>", "<day>a&gt;b</day>", "a>b"},
      {"<d<day>ay>", "<day>&lt;day&gt;</day>", "<day>"},
  };
  for (const auto& c : cases) {
    auto doc = Load(std::string("<rss version=\"2.0\"><channel><title>t</title><skipDays>") +
                    c.list + "</skipDays></channel></rss>");
    EXPECT_EQ(doc->RSSCDS().DisplayText("skipDays"), c.display) << c.list;
    const std::string out = GetRSSText(*doc);
    EXPECT_TRUE(Contains(out, std::string("<skipDays>") + c.written + "</skipDays>")) << out;
    EXPECT_EQ(Rewrite(out), out) << c.list;
  }
  // Values entered as a comma list are character data, whatever they hold.
  auto doc = Load(
      "<rss version=\"2.0\"><channel><title>t</title><link>l</link><description>d</description>"
      "</channel></rss>");
  doc->RSSCDS().Edit();
  doc->RSSCDS().SetText("skipDays", "A&B,<x>");
  doc->RSSCDS().Post();
  EXPECT_EQ(doc->RSSCDS().AsString("skipDays"), "<day>A&amp;B</day><day>&lt;x&gt;</day>");
  EXPECT_EQ(doc->RSSCDS().DisplayText("skipDays"), "A&B,<x>");
}

TEST(RSSWriterTest, ADocumentWithNothingInItGivesEmptyText) {
  FeedDocument doc;
  EXPECT_EQ(GetRSSText(doc), "");
}

TEST(RSSWriterTest, PendingEditsArePostedFirstAndARefusalStopsTheWrite) {
  auto doc = Load(
      "<rss version=\"2.0\"><channel><title>t</title><link>l</link>"
      "<description>d</description></channel></rss>");
  doc->RSSCDS().Edit();
  doc->RSSCDS().SetText("copyright", "typed, not posted");
  EXPECT_TRUE(Contains(GetRSSText(*doc), "<copyright>typed, not posted</copyright>"));
  EXPECT_TRUE(doc->Modified());

  doc->RSSCDS().Edit();
  doc->RSSCDS().SetText("title", "");
  EXPECT_EQ(ErrorOf([&] { GetRSSText(*doc); }), "Channel field \"Title\" is required!");
  EXPECT_EQ(doc->RSSCDS().state(), DataSetState::kEdit);
}

TEST(RSSWriterTest, ExtensionsAndTheirPlacesAreKept) {
  const std::string feed =
      R"(<rss version="2.0" xmlns:itunes="http://www.itunes.com/dtds/podcast-1.0.dtd" xmlns:atom="http://www.w3.org/2005/Atom" xmlns:content="http://purl.org/rss/1.0/modules/content/">
<channel>
<atom:link href="http://e/feed.xml" rel="self" type="application/rss+xml"/>
<title>T</title>
<itunes:owner><itunes:name>Me</itunes:name><itunes:email>me@e</itunes:email></itunes:owner>
<image><url>http://e/i.png</url><itunes:note>kept</itunes:note></image>
<category>first</category>
<category domain="d">second</category>
<item>
<content:encoded><![CDATA[<p>Hi &amp; bye</p>]]></content:encoded>
<title>I</title>
<enclosure url="http://e/a.mp3" length="5" type="audio/mpeg" extra="yes"/>
<itunes:duration>10:00</itunes:duration>
</item>
</channel>
</rss>)";
  const std::string out = Lf(Rewrite(feed));
  const char* kept[] = {
      "xmlns:itunes=\"http://www.itunes.com/dtds/podcast-1.0.dtd\"",
      "xmlns:content=\"http://purl.org/rss/1.0/modules/content/\"",
      "    <atom:link href=\"http://e/feed.xml\" rel=\"self\" type=\"application/rss+xml\" />\n"
      "    <title>T</title>\n"
      "    <itunes:owner>\n"
      "      <itunes:name>Me</itunes:name>\n",
      "      <url>http://e/i.png</url>\n      <itunes:note>kept</itunes:note>\n    </image>",
      "    <category>first</category>\n    <category domain=\"d\">second</category>",
      "      <content:encoded><![CDATA[<p>Hi &amp; bye</p>]]></content:encoded>\n"
      "      <title>I</title>",
      "<enclosure url=\"http://e/a.mp3\" length=\"5\" type=\"audio/mpeg\" extra=\"yes\" />",
      "<itunes:duration>10:00</itunes:duration>",
  };
  for (const char* part : kept) EXPECT_TRUE(Contains(out, part)) << part << "\nin\n" << out;
  EXPECT_EQ(Lf(Rewrite(Rewrite(feed))), out) << "a second round trip changes nothing";
}

TEST(RSSWriterTest, AFieldSetLaterReplacesTheKeptAttribute) {
  auto doc = Load(
      "<rss version=\"2.0\"><channel><title>t</title><link>l</link>"
      "<description>d</description><item><title>i</title>"
      "<enclosure url=\"u\" length=\"big\"/></item></channel></rss>");
  auto& items = doc->ItemCDS();
  items.Edit();
  items.SetText("length", "42");
  items.Post();
  const std::string out = GetRSSText(*doc);
  EXPECT_TRUE(Contains(out, "<enclosure url=\"u\" length=\"42\" />")) << out;
}

TEST(RSSWriterTest, TextIsEscapedAndReadsBackTheSame) {
  const std::string tricky = "a < b && c > d \"quoted\" 'single' ]]> \xE2\x82\xAC";
  FeedDocument doc;
  auto& channel = doc.RSSCDS();
  channel.Edit();
  channel.SetText("title", tricky);
  channel.SetText("link", "l");
  channel.SetText("description", "line one\r\nline two");
  channel.Post();
  auto& items = doc.ItemCDS();
  items.Append();
  items.SetText("enclosure_url", tricky);
  items.Post();
  auto again = Load(GetRSSText(doc));
  EXPECT_EQ(again->RSSCDS().AsString("title"), tricky);
  EXPECT_EQ(again->RSSCDS().AsString("description"), "line one\nline two");
  EXPECT_EQ(again->ItemCDS().AsString("enclosure_url"), tricky);
}

TEST(RSSWriterTest, EmptyElementsOfTheFileStayEmptyElements) {
  const std::string out =
      Rewrite("<rss version=\"2.0\"><channel><description/><link>l</link></channel></rss>");
  EXPECT_TRUE(Contains(out, "<description />")) << out;
}

}  // namespace
}  // namespace quillcast
