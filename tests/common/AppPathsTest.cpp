#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/AppPaths.h"
#include "support/TempDir.h"

namespace quillcast {
namespace {

TEST(AppPathsTest, APortableCopyKeepsEverythingBesideItsExecutable) {
  testing::TempDir dir;
  const AppPaths paths = AppPaths::ForExecutable(dir.File("quillcast"));
  EXPECT_EQ(paths.settings_folder, dir.path());
  EXPECT_EQ(paths.data_folder, dir.path());
  EXPECT_EQ(paths.SettingsFile(), dir.File("quillcast.ini"));
  EXPECT_EQ(paths.FtpSitesFile(), dir.File("ftp.ini"));
  EXPECT_EQ(paths.PreviewFile(), dir.File("tmp.html"));
  EXPECT_EQ(paths.HelpIndex(), dir.File("help/index.htm"));
}

TEST(AppPathsTest, AnInstalledCopyUsesTheConfigFolderAndTheShareFolder) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.File("prefix/bin"));
  std::filesystem::create_directories(dir.File("prefix/share/quillcast"));
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", dir.File("config").c_str(), 1);
  const AppPaths paths = AppPaths::ForExecutable(dir.File("prefix/bin/quillcast"));
  if (old)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(paths.settings_folder, dir.File("config/quillcast"));
  EXPECT_EQ(paths.data_folder, dir.File("prefix/share/quillcast"));
}

}  // namespace
}  // namespace quillcast
