#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <system_error>

#include "common/AtomicFile.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

using testing::ListFolder;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(AtomicFileTest, ReplacesContentAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.File("feed.xml");
  WriteFile(path, "old");
  ReplaceFileAtomically(path, "new content");
  EXPECT_EQ(ReadFile(path), "new content");
  EXPECT_EQ(ListFolder(dir.path()), "feed.xml");
}

// Running as root, permission bits do not stop a write: a lowered file-size limit does.
TEST(AtomicFileTest, WriteThatFailsHalfwayLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string path = dir.File("feed.xml");
  WriteFile(path, "the old feed");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      ReplaceFileAtomically(path, std::string(100000, 'x'));
    } catch (const std::system_error& error) {
      ::_exit(error.code().value() == EFBIG ? 0 : 2);
    }
    ::_exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the write went through, 2: another error";
  EXPECT_EQ(ReadFile(path), "the old feed");
  EXPECT_EQ(ListFolder(dir.path()), "feed.xml");
}

TEST(AtomicFileTest, MissingFolderFailsWithTheSystemsReason) {
  TempDir dir;
  try {
    ReplaceFileAtomically(dir.File("no/such/folder/feed.xml"), "x");
    FAIL();
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code().value(), ENOENT);
  }
}

}  // namespace
}  // namespace quillcast
