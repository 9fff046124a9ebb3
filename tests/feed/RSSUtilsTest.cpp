#include <gtest/gtest.h>

#include "feed/RSSUtils.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using testing::ScopedTimeZone;

constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";

TEST(RSSDateTest, WritesGmtFromLocalTimeWithTheOffsetInForce) {
  ScopedTimeZone zone(kCentralEurope);
  const struct {
    LocalDateTime local;
    const char* text;
  } cases[] = {
      {{2004, 1, 5, 0, 30, 0}, "Sun, 04 Jan 2004 23:30:00 GMT"},  // winter: one hour
      {{2004, 7, 5, 14, 0, 0}, "Mon, 05 Jul 2004 12:00:00 GMT"},  // summer: two hours
      {{2004, 1, 5, 14, 45, 7}, "Mon, 05 Jan 2004 13:45:07 GMT"},
      {{1999, 12, 31, 23, 59, 59}, "Fri, 31 Dec 1999 22:59:59 GMT"},
  };
  for (const auto& c : cases) {
    const DateTime instant = LocalToDateTime(c.local);
    EXPECT_EQ(DateTimeToRSSDate(instant), c.text);
    const auto back = ParseRSSDate(c.text);
    ASSERT_TRUE(back.has_value()) << c.text;
    EXPECT_EQ(DateTimeToLocal(*back), c.local) << c.text;
  }
}

TEST(RSSDateTest, WritesTheSameTextInAZoneWithoutDaylightSaving) {
  ScopedTimeZone zone("UTC0");
  EXPECT_EQ(DateTimeToRSSDate(LocalToDateTime({2004, 7, 5, 14, 0, 0})),
            "Mon, 05 Jul 2004 14:00:00 GMT");
}

TEST(RSSDateTest, ReadsRfc822AndW3CDates) {
  const struct {
    const char* text;
    const char* gmt;
  } cases[] = {
      {"Mon, 05 Jan 2004 13:45:07 GMT", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"Mon, 05 Jan 2004 13:45:07 +0200", "Mon, 05 Jan 2004 11:45:07 GMT"},
      {"Mon, 05 Jan 2004 13:45:07 -0130", "Mon, 05 Jan 2004 15:15:07 GMT"},
      {"Mon, 5 Jan 2004 13:45:07 GMT", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"Mon, 05 Jan 2004 13:45 GMT", "Mon, 05 Jan 2004 13:45:00 GMT"},
      {"mon, 05 JAN 2004 13:45:07 GMT", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"05 Jan 04 13:45:07 EST", "Mon, 05 Jan 2004 18:45:07 GMT"},
      {"Tue, 6 Jan 98 1:02:03 UT", "Tue, 06 Jan 1998 01:02:03 GMT"},
      {"  Mon, 05 Jan 2004 13:45:07 PDT  ", "Mon, 05 Jan 2004 20:45:07 GMT"},
      {"Monday, 05 January 2004 13:45:07 Z", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"Mon, 05 Jan 2004 13:45:07", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"2004-01-05T13:45:07Z", "Mon, 05 Jan 2004 13:45:07 GMT"},
      {"2004-01-05T13:45:07+02:00", "Mon, 05 Jan 2004 11:45:07 GMT"},
      {"2004-01-05T13:45:07.25-05:00", "Mon, 05 Jan 2004 18:45:07 GMT"},
      {"2004-01-05T13:45", "Mon, 05 Jan 2004 13:45:00 GMT"},
      {"2004-01-05", "Mon, 05 Jan 2004 00:00:00 GMT"},
      {"Sun, 29 Feb 2004 00:00:00 GMT", "Sun, 29 Feb 2004 00:00:00 GMT"},
  };
  for (const auto& c : cases) {
    const auto instant = ParseRSSDate(c.text);
    ASSERT_TRUE(instant.has_value()) << c.text;
    EXPECT_EQ(DateTimeToRSSDate(*instant), c.gmt) << c.text;
  }
}

TEST(RSSDateTest, UnreadableTextGivesTheCurrentTime) {
  const char* cases[] = {"",
                         "yesterday",
                         "Mon, 31 Feb 2004 10:00:00 GMT",
                         "Sun, 29 Feb 2003 00:00:00 GMT",
                         "Mon, 05 Foo 2004 13:45:07 GMT",
                         "Mon, 05 Jan 2004 24:00:00 GMT",
                         "Mon, 05 Jan 2004 13:60:00 GMT",
                         "Mon, 05 Jan 2004 13:45:07 CET",
                         "Mon, 05 Jan 2004 13:45:07 GMT junk",
                         "Xyz, 05 Jan 2004 13:45:07 GMT",
                         "Mon, 05 Jan 0000 13:45:07 GMT",
                         "2004-13-01T00:00:00Z",
                         "2004-01-05T13:45:07+0x:00"};
  for (const char* text : cases) {
    EXPECT_FALSE(ParseRSSDate(text).has_value()) << text;
    const DateTime before = Now();
    const DateTime read = RSSDateToDateTime(text);
    EXPECT_GE(read, before) << text;
    EXPECT_LE(read, Now()) << text;
  }
}

TEST(SkipListTest, TagListToCommaList) {
  EXPECT_EQ(TagListToCommaList("<day>Monday</day><day>Sunday</day>", "day"), "Monday,Sunday");
  EXPECT_EQ(TagListToCommaList("<day>Monday</day>\n<day>Sunday</day>", "day"), "Monday\nSunday");
  EXPECT_EQ(TagListToCommaList("<hour>0</hour><hour>23</hour>", "hour"), "0,23");
  EXPECT_EQ(TagListToCommaList("<DAY>Monday</DAY>", "day"), "<DAY>Monday</DAY>");
  EXPECT_EQ(TagListToCommaList("", "day"), "");
}

TEST(SkipListTest, CommaListToTagList) {
  const struct {
    const char* text;
    const char* tag;
    const char* tags;
  } cases[] = {
      {"Monday, Sunday", "day", "<day>Monday</day><day>Sunday</day>"},
      {"Monday Sunday", "day", "<day>Monday</day><day>Sunday</day>"},
      {"1,,2", "hour", "<hour>1</hour><hour></hour><hour>2</hour>"},
      {"3,", "hour", "<hour>3</hour><hour></hour>"},
      {"", "hour", ""},
      {"  \t\r\n", "hour", ""},
      {"\"New Year, Day\",x", "day", "<day>New Year, Day</day><day>x</day>"},
      {"\"say \"\"hi\"\"\"", "day", "<day>say \"hi\"</day>"},
      {",a", "day", "<day></day><day>a</day>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommaListToTagList(c.text, c.tag), c.tags) << "'" << c.text << "'";
  }
}

TEST(SkipListTest, RewriteSkipElementEscapesAndUnescapesOnlyTheFirstList) {
  const std::string original =
      "..<skipDays><day>Monday</day></skipDays><skipDays><day>x</day></skipDays>.";
  std::string text = original;
  RewriteSkipElement(text, "skipDays", SkipRewrite::kEscape);
  EXPECT_EQ(text,
            "..<skipDays>&lt;day&gt;Monday&lt;/day&gt;</skipDays><skipDays><day>x</day>"
            "</skipDays>.");
  RewriteSkipElement(text, "skipDays", SkipRewrite::kUnescape);
  EXPECT_EQ(text, original);
}

TEST(SkipListTest, RewriteSkipElementLeavesUnrecognisedFormsAlone) {
  const char* cases[] = {
      "<skipDays/>", "<rss><channel/></rss>", "</skipDays><skipDays><day>Monday</day>",
      "<skipDays id=\"1\"><day>Monday</day></skipDays>", "<SKIPDAYS><day>Monday</day></SKIPDAYS>"};
  for (const char* c : cases) {
    for (auto direction : {SkipRewrite::kEscape, SkipRewrite::kUnescape}) {
      std::string text = c;
      RewriteSkipElement(text, "skipDays", direction);
      EXPECT_EQ(text, c);
    }
  }
}

}  // namespace
}  // namespace quillcast
