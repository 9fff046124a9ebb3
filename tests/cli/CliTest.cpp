#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

struct Run {
  int status;
  std::string out;
  std::string err;
};

Run Cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliTest, CheckReportsEachFile) {
  TempDir dir;
  WriteFile(dir.File("good.xml"),
            "<rss version=\"2.0\"><channel><item/><item><title>x</title></item></channel></rss>");
  WriteFile(dir.File("bad.xml"), "<html/>");
  auto run = Cli({"check", dir.File("good.xml")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, dir.File("good.xml") + ": 2 items\n");

  run = Cli({"check", dir.File("good.xml"), dir.File("bad.xml"), dir.File("none.xml")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, dir.File("good.xml") + ": 2 items\n" + dir.File("bad.xml") +
                         ": This is not valid RSS 2.0 file.\n" + dir.File("none.xml") +
                         ": Cannot open file \"" + dir.File("none.xml") +
                         "\". No such file or directory.\n");
}

TEST(CliTest, RewriteWritesWhatSaveWrites) {
  TempDir dir;
  WriteFile(dir.File("in.xml"), "<rss version=\"2.0\"><channel><title>T</title></channel></rss>");
  auto run = Cli({"rewrite", dir.File("in.xml"), dir.File("out.xml")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(dir.File("out.xml")),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<rss version=\"2.0\">\r\n"
            "  <channel>\r\n    <title>T</title>\r\n  </channel>\r\n</rss>\r\n");

  run = Cli({"rewrite", dir.File("missing.xml"), dir.File("out2.xml")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Cannot open file"), std::string::npos);
}

TEST(CliTest, HelpVersionAndUsage) {
  EXPECT_EQ(Cli({"--help"}).status, 0);
  EXPECT_NE(Cli({"--help"}).out.find("rewrite IN OUT"), std::string::npos);
  EXPECT_EQ(Cli({"--version"}).out, std::string("quillcast-cli ") + QUILLCAST_VERSION + "\n");
  EXPECT_EQ(Cli({}).status, 2);
  EXPECT_EQ(Cli({"rewrite", "only-one"}).status, 2);
}

}  // namespace
}  // namespace quillcast
