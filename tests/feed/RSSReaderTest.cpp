#include <gtest/gtest.h>

#include "feed/FeedTestUtil.h"
#include "feed/RSSReader.h"
#include "feed/RSSUtils.h"

namespace quillcast {
namespace {

using testing::ErrorOf;
using testing::Load;
using testing::Rewrite;

constexpr char kFullFeed[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0">
  <channel>
    <title>Tech &amp; Tea</title>
    <link>http://example.org/</link>
    <description><![CDATA[<p>Weekly</p>]]> show</description>
    <language>en-us</language>
    <copyright>(c) 2004</copyright>
    <pubDate>Mon, 05 Jan 2004 13:45:07 GMT</pubDate>
    <lastBuildDate>Tue, 06 Jan 2004 13:45:07 GMT</lastBuildDate>
    <category domain="http://cats/">Tech</category>
    <docs>http://blogs.law.harvard.edu/tech/rss</docs>
    <generator>Hand</generator>
    <cloud domain="rpc.example.org" port="80" path="/RPC2" registerProcedure="ping" protocol="xml-rpc"/>
    <ttl>60</ttl>
    <image>
      <url>http://example.org/logo.png</url>
      <title>Logo</title>
      <link>http://example.org/</link>
      <width>88</width>
      <height>31</height>
      <description>The logo</description>
    </image>
    <rating>PG</rating>
    <textInput>
      <title>Search</title>
      <description>Search the site</description>
      <name>q</name>
      <link>http://example.org/search</link>
    </textInput>
    <managingEditor>ed@example.org</managingEditor>
    <webMaster>web@example.org</webMaster>
    <skipHours><hour>0</hour><hour>23</hour></skipHours>
    <skipDays><day>Saturday</day><day>Sunday</day></skipDays>
    <item>
      <title>Episode 1</title>
      <link>http://example.org/1</link>
      <description>First</description>
      <author>a@example.org</author>
      <category domain="http://cats/">Talk</category>
      <comments>http://example.org/1#c</comments>
      <enclosure url="http://example.org/1.mp3" length="3000000000" type="audio/mpeg"/>
      <pubDate>Mon, 05 Jan 2004 13:45:07 GMT</pubDate>
      <guid isPermaLink="false">ep-1</guid>
      <source url="http://other.example.org/rss">Other</source>
    </item>
  </channel>
</rss>
)";

TEST(RSSReaderTest, EveryPlaceFillsItsField) {
  auto doc = Load(kFullFeed);
  const DataSet& channel = doc->RSSCDS();
  const struct {
    const char* field;
    const char* text;
  } channel_cases[] = {
      {"version", "2.0"},
      {"title", "Tech & Tea"},
      {"link", "http://example.org/"},
      {"description", "<p>Weekly</p> show"},
      {"language", "en-us"},
      {"copyright", "(c) 2004"},
      {"pubDate", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"lastBuildDate", "Tue, 06 Jan 2004 13:45:07 GMT"},
      {"category", "Tech"},
      {"category_domain", "http://cats/"},
      {"docs", "http://blogs.law.harvard.edu/tech/rss"},
      {"generator", "Hand"},
      {"cloud_domain", "rpc.example.org"},
      {"port", "80"},
      {"path", "/RPC2"},
      {"registerProcedure", "ping"},
      {"protocol", "xml-rpc"},
      {"ttl", "60"},
      {"url", "http://example.org/logo.png"},
      {"image_title", "Logo"},
      {"image_link", "http://example.org/"},
      {"width", "88"},
      {"height", "31"},
      {"image_description", "The logo"},
      {"rating", "PG"},
      {"textInput_title", "Search"},
      {"textInput_description", "Search the site"},
      {"name", "q"},
      {"textInput_link", "http://example.org/search"},
      {"managingEditor", "ed@example.org"},
      {"webMaster", "web@example.org"},
      {"skipHours", "<hour>0</hour><hour>23</hour>"},
      {"skipDays", "<day>Saturday</day><day>Sunday</day>"},
  };
  for (const auto& c : channel_cases) EXPECT_EQ(channel.AsString(c.field), c.text) << c.field;

  const DataSet& items = doc->ItemCDS();
  ASSERT_EQ(items.RecordCount(), 1);
  const struct {
    const char* field;
    const char* text;
  } item_cases[] = {
      {"title", "Episode 1"},
      {"link", "http://example.org/1"},
      {"description", "First"},
      {"author", "a@example.org"},
      {"category", "Talk"},
      {"domain", "http://cats/"},
      {"comments", "http://example.org/1#c"},
      {"enclosure_url", "http://example.org/1.mp3"},
      {"length", "3000000000"},
      {"type", "audio/mpeg"},
      {"pubDate", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"guid", "ep-1"},
      {"isPermaLink", "False"},
      {"source", "Other"},
      {"source_url", "http://other.example.org/rss"},
  };
  for (const auto& c : item_cases) EXPECT_EQ(items.AsString(c.field), c.text) << c.field;
  EXPECT_FALSE(doc->Modified());
}

TEST(RSSReaderTest, ValuesFromAFileAreNeverCutToTheFieldWidth) {
  const std::string title(300, 'T');
  auto doc = Load("<rss version=\"2.0\"><channel><title>" + title + "</title><item><source>" +
                  std::string(40, 's') + "</source></item></channel></rss>");
  EXPECT_EQ(doc->RSSCDS().AsString("title"), title);
  EXPECT_EQ(doc->ItemCDS().AsString("source").size(), 40u);
}

TEST(RSSReaderTest, SkipListsReachTheirFieldsWhole) {
  std::string all_hours;
  for (int h = 0; h < 24; ++h) all_hours += "\n      <hour>" + std::to_string(h) + "</hour>";
  const struct {
    std::string markup;
    std::string tag_text;
    std::string display;
  } cases[] = {
      {"<skipDays><day>Monday</day><day>Sunday</day></skipDays>",
       "<day>Monday</day><day>Sunday</day>", "Monday,Sunday"},
      {"<skipDays>\n      <day>Monday</day>\n      <day>Sunday</day>\n    </skipDays>",
       "\n      <day>Monday</day>\n      <day>Sunday</day>\n    ",
       "\n      Monday\n      Sunday\n    "},
      {"<skipDays/>", "", ""},
  };
  for (const auto& c : cases) {
    auto doc =
        Load("<rss version=\"2.0\"><channel><title>t</title>" + c.markup + "</channel></rss>");
    EXPECT_EQ(doc->RSSCDS().AsString("skipDays"), c.tag_text) << c.markup;
    EXPECT_EQ(doc->RSSCDS().DisplayText("skipDays"), c.display) << c.markup;
  }
  auto doc = Load("<rss version=\"2.0\"><channel><skipHours>" + all_hours +
                  "\n    </skipHours></channel></rss>");
  EXPECT_EQ(doc->RSSCDS().AsString("skipHours"), all_hours + "\n    ")
      << "a list longer than the field's width is kept whole";
}

TEST(RSSReaderTest, ASkipListElsewhereThanInTheChannelIsLeftAlone) {
  const char* elsewhere[] = {
      "<description><![CDATA[Use <skipDays><day>Monday</day></skipDays> like this]]></description>",
      "<!-- <skipDays><day>Monday</day></skipDays> -->",
      "<!-- a list ends with </skipDays> -->",
      "<x:plan xmlns:x=\"u\"><skipDays><day>Monday</day>&gt;</skipDays></x:plan>",
  };
  // Only the first channel's first list is read; another stays as it stands.
  const std::string list = "<skipDays><day>Monday</day>&gt;</skipDays>";
  const struct {
    std::string inside_rss;
    const char* display;
  } others[] = {
      {"<channel>" + list + "</channel>", "Monday>"},
      {"<channel/><channel>" + list + "</channel>", ""},
      {"<channel><skipDays a=\"1\"><day>Friday</day></skipDays>" + list + "</channel>", "Friday"},
      {"<channel><skipDays a=\"1\"><day>Mon,,Fri</day>&gt;</skipDays></channel>", "Mon,,Fri>"},
      {"<channel><skipDays a=\"1\">\x1E"
       "Fri</skipDays></channel>",
       "\x1E"
       "Fri"},
      {"<channel><skipHours><</></><skipDays></skipDays></skipHours>"
       "<skipDays><day>Mon</day>;</skipDays></channel>",
       "Mon;"},
  };
  for (const auto& other : others) {
    auto doc = Load("<rss>" + other.inside_rss + "</rss>");
    EXPECT_EQ(doc->RSSCDS().DisplayText("skipDays"), other.display) << other.inside_rss;
    const std::string written = GetRSSText(*doc);
    EXPECT_EQ(Rewrite(written), written) << other.inside_rss;
  }
  for (const char* e : elsewhere) {
    auto doc = Load(std::string("<?xml version=\"1.0\"?><rss version=\"2.0\"><channel>") + e +
                    "<skipDays>\n  <day>Saturday</day>\n  <day>Sun&amp;day</day>\n</skipDays>"
                    "</channel></rss>");
    EXPECT_EQ(SplitCommaList(doc->RSSCDS().DisplayText("skipDays")),
              (std::vector<std::string>{"Saturday", "Sun&day"}))
        << e;
    const std::string written = GetRSSText(*doc);
    EXPECT_EQ(Rewrite(written), written) << e;
    if (std::string(e).find("CDATA") != std::string::npos) {
      EXPECT_EQ(doc->RSSCDS().AsString("description"),
                "Use <skipDays><day>Monday</day></skipDays> like this");
    }
    if (std::string(e).find("x:plan") != std::string::npos) {
      EXPECT_NE(written.find("<day>Monday</day>&gt;</skipDays>"), std::string::npos) << written;
    }
  }
}

TEST(RSSReaderTest, ASkipListReadsTheSameWhetherItsMarkupWasQuotedOrNot) {
  // With a quoted "<skipDays>" before it, the list reaches the reader as elements; it must
  // give the field the same text as when its markup is turned into text.
  const char* lists[] = {
      "<skipDays><day>Mon &amp; Tue</day></skipDays>",
      "<skipDays><day>Monday</day>&gt;</skipDays>",
      "<skipDays><day a=\"x&amp;y\">Monday</day></skipDays>",
  };
  for (const char* list : lists) {
    const std::string plain = std::string("<rss><channel>") + list + "</channel></rss>";
    const std::string quoted =
        std::string("<?note <skipDays>?><rss><channel>") + list + "</channel></rss>";
    auto direct = Load(plain);
    auto as_elements = Load(quoted);
    EXPECT_EQ(as_elements->RSSCDS().AsString("skipDays"), direct->RSSCDS().AsString("skipDays"))
        << list;
    const std::string written = GetRSSText(*as_elements);
    EXPECT_EQ(Rewrite(written), written) << list;
  }
}

TEST(RSSReaderTest, JunkBeforeTheMarkupIsDropped) {
  const char* prefixes[] = {"\xEF\xBB\xBF", "\r\n\r\n  ", "garbage text ", "\xEF\xBB\xBF\n\n"};
  for (const char* prefix : prefixes) {
    auto doc = Load(std::string(prefix) +
                    "<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>ok</title>"
                    "</channel></rss>");
    EXPECT_EQ(doc->RSSCDS().AsString("title"), "ok");
  }
  std::string text = "  x";
  TrimBeforeMarkup(text);
  EXPECT_EQ(text, "  x") << "the last character is never examined";
  text = "ab<";
  TrimBeforeMarkup(text);
  EXPECT_EQ(text, "ab<");
}

TEST(RSSReaderTest, RefusedTextLeavesTheDocumentAsItWas) {
  const char* refused[] = {
      "",
      "no markup at all",
      "<rss version=\"2.0\"><channel><title>cut",
      "<rss version=\"2.0\"><channel><title>x</titl></channel></rss>",
      "<feed><title>atom</title></feed>",
      "<rss version=\"2.0\"></rss>",
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"><channel/></rdf:RDF>",
  };
  auto doc = Load(
      "<rss version=\"2.0\"><channel><title>kept</title><item><title>i</title></item>"
      "</channel></rss>");
  for (const char* text : refused) {
    EXPECT_EQ(ErrorOf([&] { LoadRSSText(*doc, text); }), "This is not valid RSS 2.0 file.")
        << "'" << text << "'";
    EXPECT_EQ(doc->RSSCDS().AsString("title"), "kept");
    EXPECT_EQ(doc->ItemCDS().RecordCount(), 1);
  }
}

TEST(RSSReaderTest, AnyVersionIsAcceptedAndKept) {
  auto doc = Load("<rss version=\"0.91\"><channel><title>old</title></channel></rss>");
  EXPECT_EQ(doc->RSSCDS().AsString("version"), "0.91");
  EXPECT_NE(GetRSSText(*doc).find("<rss version=\"0.91\">"), std::string::npos);
}

TEST(RSSReaderTest, ItemsComeNewestFirstWithUndatedItemsOnTop) {
  auto doc = Load(R"(<rss version="2.0"><channel>
    <item><title>old</title><pubDate>Mon, 05 Jan 2004 13:45:07 GMT</pubDate></item>
    <item><title>undated</title></item>
    <item><title>new</title><pubDate>Wed, 05 Jan 2005 13:45:07 GMT</pubDate></item>
    <item><title>unreadable</title><pubDate>soon</pubDate></item>
  </channel></rss>)");
  std::string titles;
  for (int row = 0; row < doc->ItemCDS().RecordCount(); ++row) {
    titles += doc->ItemCDS().DisplayTextAt(row, kItTitle) + ";";
  }
  EXPECT_EQ(titles, "undated;unreadable;new;old;");
}

TEST(RSSReaderTest, ValuesThatCannotBeReadAreNullAndKeptAsWritten) {
  auto doc = Load(R"(<rss version="2.0"><channel><title>t</title><ttl>sixty</ttl>
    <item><enclosure url="http://e/a.mp3" length="big"/><guid isPermaLink="yes">g</guid></item>
  </channel></rss>)");
  EXPECT_TRUE(doc->RSSCDS().IsNull("ttl"));
  EXPECT_TRUE(doc->ItemCDS().IsNull("length"));
  EXPECT_TRUE(doc->ItemCDS().IsNull("isPermaLink"));
  const std::string out = GetRSSText(*doc);
  EXPECT_NE(out.find("<ttl>sixty</ttl>"), std::string::npos) << out;
  EXPECT_NE(out.find("<enclosure url=\"http://e/a.mp3\" length=\"big\" />"), std::string::npos)
      << out;
  EXPECT_NE(out.find("<guid isPermaLink=\"yes\">g</guid>"), std::string::npos) << out;
}

TEST(RSSReaderTest, MappedElementsHoldingMoreThanTheirFieldsAreKeptWhole) {
  struct Case {
    const char* channel_xml;
    const char* field;    // the channel field, or "item.<field>"
    const char* value;    // what the field reads; "null" when it takes nothing
    const char* written;  // must stand in what is saved
  };
  const Case cases[] = {
      // Empty elements inside go, as they go everywhere on writing; the text is the value.
      {"<title><br/>Show</title>", "title", "Show", "<title>Show</title>"},
      {"<image><url><y/>http://e/i.png</url><width>8</width></image>", "url", "http://e/i.png",
       "<url>http://e/i.png</url>"},
      // An attribute on a child no field has room for keeps the child whole.
      {"<image><url size=\"2\">http://e/i.png</url></image>", "url", "null",
       "<url size=\"2\">http://e/i.png</url>"},
      {"<image><width>8</width><url note=\"\">http://e/i.png</url></image>", "url",
       "http://e/i.png", "<url>http://e/i.png</url>"},
      // Text in an element whose fields are all attributes.
      {"<item><enclosure url=\"http://e/a.mp3\">alt text</enclosure></item>", "item.enclosure_url",
       "null", "<enclosure url=\"http://e/a.mp3\">alt text</enclosure>"},
  };
  for (const Case& c : cases) {
    const std::string text =
        std::string("<rss version=\"2.0\"><channel>") + c.channel_xml + "</channel></rss>";
    auto doc = Load(text);
    std::string_view field = c.field;
    DataSet& table = field.starts_with("item.") ? doc->ItemCDS() : doc->RSSCDS();
    if (field.starts_with("item.")) field.remove_prefix(5);
    const std::string name(field);
    EXPECT_EQ(table.IsNull(name) ? "null" : table.AsString(name), c.value) << c.channel_xml;
    const std::string written = GetRSSText(*doc);
    EXPECT_NE(written.find(c.written), std::string::npos) << c.channel_xml << "\n" << written;
    EXPECT_EQ(Rewrite(written), written) << c.channel_xml;
  }
}

TEST(RSSReaderTest, NestingOfAnyDepthIsReadWithoutRecursion) {
  constexpr int kDepth = 200000;
  std::string deep =
      "<rss version=\"2.0\"><channel><title>deep</title><item><x:deep xmlns:x=\"u\">";
  for (int i = 0; i < kDepth; ++i) deep += "<a>";
  deep += "bottom";
  for (int i = 0; i < kDepth; ++i) deep += "</a>";
  deep += "</x:deep></item></channel></rss>";
  auto doc = Load(deep);
  EXPECT_EQ(doc->ItemCDS().RecordCount(), 1);
  const std::string out = GetRSSText(*doc);
  EXPECT_NE(out.find("bottom"), std::string::npos);
  EXPECT_LT(out.size(), deep.size() * 2) << "deep content is not indented line by line";
  EXPECT_EQ(Load(out)->ItemCDS().RecordCount(), 1);
}

TEST(RSSReaderTest, DocumentTypeEntitiesAreNeverExpanded) {
  const std::string bomb = R"(<?xml version="1.0"?>
<!DOCTYPE rss [
  <!ENTITY a "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa">
  <!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">
  <!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">
]>
<rss version="2.0"><channel><title>&c;</title></channel></rss>)";
  auto doc = Load(bomb);
  EXPECT_EQ(doc->RSSCDS().AsString("title"), "&c;");
}

}  // namespace
}  // namespace quillcast
