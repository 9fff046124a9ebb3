#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/Error.h"
#include "common/ProfileFile.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class ProfileFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string path_ = dir_.File("quillcast.ini");
  ProfileFile ini_{path_};
};

struct IntegerCase {
  const char* stored;
  int expected;
};

TEST_F(ProfileFileTest, IntegersFollowTheDecimalAndHexadecimalRules) {
  const IntegerCase cases[] = {
      {"0", 0},     {"42", 42},  {"-7", -7},         {"+7", 7},  {"0x15", 21},
      {"0X15", 21}, {"$15", 21}, {"$FFFFFFFF", -1},  {"abc", 2}, {"", 2},
      {"12abc", 2}, {"0x", 2},   {"99999999999", 2}, {"$", 2},   {" 5 ", 5},
  };
  for (const auto& c : cases) {
    WriteFile(path_, std::string("[MainForm]\nMainFormWindowState=") + c.stored + "\n");
    EXPECT_EQ(ini_.ReadInteger("MainForm", "MainFormWindowState", 2), c.expected)
        << "stored: '" << c.stored << "'";
  }
}

TEST_F(ProfileFileTest, BooleansAreIntegersWithTheKeysDefault) {
  const struct {
    const char* stored;
    bool default_value;
    bool expected;
  } cases[] = {{"1", false, true},  {"0", true, false},    {"2", false, true},
               {"yes", true, true}, {"yes", false, false}, {"-1", false, true}};
  for (const auto& c : cases) {
    WriteFile(path_, std::string("[General]\nShowStartup=") + c.stored + "\n");
    EXPECT_EQ(ini_.ReadBool("General", "ShowStartup", c.default_value), c.expected)
        << c.stored << " with default " << c.default_value;
  }
  EXPECT_TRUE(ini_.ReadBool("General", "Missing", true));
}

TEST_F(ProfileFileTest, NamesMatchWithoutRegardToCaseAndValuesStayRaw) {
  WriteFile(path_, "[mainform]\nmainformwindowstate=0\nPath= a \"quoted\" = value \n");
  EXPECT_EQ(ini_.ReadInteger("MainForm", "MainFormWindowState", 2), 0);
  EXPECT_EQ(ini_.ReadString("MAINFORM", "path", "x"), " a \"quoted\" = value ");
  EXPECT_EQ(ini_.ReadString("MainForm", "Absent", "fallback"), "fallback");
}

TEST_F(ProfileFileTest, MissingFileReadsAsEmpty) {
  EXPECT_EQ(ini_.ReadString("Reopen", "0", "none"), "none");
  EXPECT_TRUE(ini_.ReadSections().empty());
  EXPECT_FALSE(ini_.SectionExists("Reopen"));
}

TEST_F(ProfileFileTest, SectionWithoutKeysCountsAsAbsent) {
  WriteFile(path_, "[Empty]\n\n[Full]\na=1\n");
  EXPECT_FALSE(ini_.SectionExists("Empty"));
  EXPECT_TRUE(ini_.SectionExists("full"));
  EXPECT_EQ(ini_.ReadSections(), (std::vector<std::string>{"Empty", "Full"}));
}

TEST_F(ProfileFileTest, KeysAndSectionsKeepFileOrder) {
  WriteFile(path_, "; a comment line\n[Reopen]\n2=c\n0=a\n1=b\n[Other]\nx=1\n");
  EXPECT_EQ(ini_.ReadSection("reopen"), (std::vector<std::string>{"2", "0", "1"}));
}

TEST_F(ProfileFileTest, WritesRewriteInPlaceAndAppendAtTheEnd) {
  WriteFile(path_, "; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
  ini_.WriteString("a", "X", "10");
  ini_.WriteInteger("A", "z", 3);
  ini_.WriteBool("C", "flag", true);
  EXPECT_EQ(ReadFile(path_), "; keep me\n[A]\nX=10\nz=3\n\n[B]\ny=2\n\n[C]\nflag=1\n");
}

TEST_F(ProfileFileTest, EraseSectionRemovesItsKeysAndNothingElse) {
  WriteFile(path_, "[A]\nx=1\n[Reopen]\n0=/a\n1=/b\n[B]\ny=2\n");
  ini_.EraseSection("REOPEN");
  EXPECT_EQ(ReadFile(path_), "[A]\nx=1\n[B]\ny=2\n");
  ini_.EraseSection("Missing");
  EXPECT_EQ(ReadFile(path_), "[A]\nx=1\n[B]\ny=2\n");
}

TEST_F(ProfileFileTest, ValuesAreReadBackUpTo2047Characters) {
  std::string long_value;
  for (int i = 0; i < 2100; ++i) long_value += "\xC3\xA9";  // é, two bytes each
  ini_.WriteString("S", "k", long_value);
  const std::string read = ini_.ReadString("S", "k", "");
  EXPECT_EQ(read.size(), 2047u * 2);
  EXPECT_EQ(read, long_value.substr(0, 2047 * 2));
}

TEST_F(ProfileFileTest, NothingIsCached) {
  ini_.WriteInteger("S", "k", 1);
  WriteFile(path_, "[S]\nk=7\n");
  EXPECT_EQ(ini_.ReadInteger("S", "k", 0), 7);
}

TEST_F(ProfileFileTest, CreatesItsFolderAndKeepsPermissionBits) {
  ProfileFile nested(dir_.File("config/quillcast/ftp.ini"), 0600);
  nested.WriteString("Site", "Password", "secret");
  struct stat st {};
  ASSERT_EQ(::stat(nested.path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  ::chmod(path_.c_str(), 0640);
  WriteFile(path_, "[S]\n");
  ::chmod(path_.c_str(), 0640);
  ini_.WriteString("S", "k", "v");
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProfileFileTest, RefusedWriteRaisesUnableToWriteAndKeepsTheFile) {
  const std::string blocker = dir_.File("plain-file");
  WriteFile(blocker, "not a folder");
  ProfileFile impossible(blocker + "/quillcast.ini");
  try {
    impossible.WriteString("S", "k", "v");
    FAIL() << "the write went through";
  } catch (const QuillError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + blocker + "/quillcast.ini");
  }
  EXPECT_EQ(ReadFile(blocker), "not a folder");
}

TEST(ParseProfileIntegerTest, RefusesTextThatIsNotAnInteger) {
  int value = 5;
  EXPECT_FALSE(ParseProfileInteger("1.5", value));
  EXPECT_FALSE(ParseProfileInteger("--1", value));
  EXPECT_EQ(value, 5);
}

}  // namespace
}  // namespace quillcast
