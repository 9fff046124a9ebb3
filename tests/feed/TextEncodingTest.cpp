#include <gtest/gtest.h>

#include "feed/FeedTestUtil.h"
#include "feed/TextEncoding.h"

namespace quillcast {
namespace {

using namespace std::string_literals;

std::string Utf16LE(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

std::string Utf16BE(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    out += '\0';
    out += c;
  }
  return out;
}

std::string Utf32LE(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += std::string(1, c) + "\0\0\0"s;
  return out;
}

std::string Feed(const std::string& encoding, const std::string& title) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding +
         "\"?><rss version=\"2.0\"><channel><title>" + title + "</title></channel></rss>";
}

TEST(TextEncodingTest, TheMarkOrTheDeclarationDecides) {
  const std::string ascii_feed = Feed("UTF-16", "Hi");
  const struct {
    const char* name;
    std::string bytes;
    std::string title;
  } cases[] = {
      {"utf-8", Feed("utf-8", "caf\xC3\xA9"), "caf\xC3\xA9"},
      {"no declaration",
       "<rss version=\"2.0\"><channel><title>\xE2\x82\xAC</title></channel></rss>", "\xE2\x82\xAC"},
      {"utf-8 mark", "\xEF\xBB\xBF" + Feed("utf-8", "x"), "x"},
      {"iso-8859-1", Feed("ISO-8859-1", "caf\xE9"), "caf\xC3\xA9"},
      {"windows-1252", Feed("windows-1252", "\x93quoted\x94 \x80"),
       "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC"},
      {"koi8-r", Feed("KOI8-R", "\xF0\xD2\xC9\xD7\xC5\xD4"),
       "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
      {"shift_jis", Feed("Shift_JIS", "\x93\xfa\x96\x7b"), "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"single quotes",
       "<?xml version='1.0' encoding='iso-8859-1'?><rss version=\"2.0\">"
       "<channel><title>\xE9</title></channel></rss>",
       "\xC3\xA9"},
      {"utf-16le mark", "\xFF\xFE"s + Utf16LE(Feed("UTF-16", "Hi")), "Hi"},
      {"utf-16be mark", "\xFE\xFF"s + Utf16BE(Feed("UTF-16", "Hi")), "Hi"},
      {"utf-16le without mark", Utf16LE(Feed("UTF-16", "Hi")), "Hi"},
      {"utf-32le mark", "\xFF\xFE\0\0"s + Utf32LE(Feed("UTF-32", "Hi")), "Hi"},
      {"utf-16 declared in 8-bit text", ascii_feed, "Hi"},
      {"invalid utf-8",
       Feed("UTF-8",
            "a\xFF"
            "b\xC3"),
       "a\xEF\xBF\xBD"
       "b\xEF\xBF\xBD"},
      {"unknown encoding", Feed("x-no-such-encoding", "plain"), "plain"},
      {"a name the converter takes for utf-8",
       Feed("UTF\xED"
            "8",
            "a\xF9\xB9\xB9\xB9\xB9"),
       "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"byte not in the encoding", Feed("Shift_JIS", "a\xA0\x82"), "a\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<FeedDocument> doc;
    ASSERT_NO_THROW(doc = testing::Load(c.bytes)) << c.name;
    EXPECT_EQ(doc->RSSCDS().AsString("title"), c.title) << c.name;
  }
}

TEST(TextEncodingTest, WideTextNeedsAMarkAtTheFileLevel) {
  EXPECT_FALSE(DecodeWideText("<rss/>").has_value());
  EXPECT_EQ(DecodeWideText("\xFE\xFF\0<\xD8\x3D\xDE\x00"s), "<\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeWideText("\xFF\xFE\x3D\xD8"s), "\xEF\xBF\xBD") << "a lone surrogate";
}

TEST(TextEncodingTest, DeclaredEncoding) {
  EXPECT_EQ(DeclaredEncoding("<?xml version=\"1.0\" encoding = \"koi8-r\" ?><rss/>"), "koi8-r");
  EXPECT_EQ(DeclaredEncoding("<?xml version=\"1.0\"?><rss encoding=\"x\"/>"), "");
  EXPECT_EQ(DeclaredEncoding("<rss/>"), "");
}

}  // namespace
}  // namespace quillcast
